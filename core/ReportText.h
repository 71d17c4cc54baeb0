#pragma once

#include "core/RunReport.h"
#include "pipeline/ToolResult.h"

#include <QList>
#include <QString>

// The converter's words for what its runs came to, composed from their reports.

// The status text: a success's or a failure's mark, then the headline; empty for no report.
QString statusText(const RunReport& report);
// The headline alone, without its mark.
QString headline(const RunReport& report);

// A line under the status, and what it is.
struct ReportLine {
    enum class Kind { reason, saved, fingerprint, warning, folder };
    Kind kind;
    QString text; // without a mark
};
// Why it failed; or what was saved, then its warnings, then the folder it is in.
QList<ReportLine> detailLines(const RunReport& report);

// The word the log uses for a tool's outcome.
QString outcomeWord(const ToolResult& result);
