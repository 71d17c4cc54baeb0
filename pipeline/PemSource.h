#pragma once

#include "pipeline/CertificateSummary.h"
#include "pipeline/PemText.h"

#include <QList>
#include <QString>
#include <optional>

// A PEM source read as far as its first certificate: everything a conversion needs to know
// before anyone is asked where to save it. A picked file is read so off the GUI thread.
struct PemSource {
    std::optional<PemText> text; // nothing when it cannot be read as text
    QList<TextRange> blocks;     // its certificate blocks, in order
    CertificateBlock first;      // what the first block holds

    static PemSource inspect(std::optional<PemText> text);
    static PemSource read(const QString& path) { return inspect(PemText::read(path)); }
};
