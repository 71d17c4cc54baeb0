#pragma once

#include "pipeline/PemText.h"

#include <QString>
#include <optional>

// Whether a text holds both certificate markers, and the log line that says so.
struct PemVerdict {
    bool valid = false;
    QString message;
};

PemVerdict checkPem(const std::optional<PemText>& text, const QString& path);
