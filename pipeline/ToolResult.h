#pragma once

#include <QString>

// The outcome of one run of the outside tool.
struct ToolResult {
    bool success = false;
    QString output;
    QString error;
};

// The word the log uses for a run's outcome.
inline QString outcomeWord(const ToolResult& result) {
    return result.success ? QStringLiteral("BAŞARILI") : QStringLiteral("BAŞARISIZ");
}
