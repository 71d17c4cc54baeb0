#pragma once

#include <QString>

// The outcome of one run of the outside tool.
struct ToolResult {
    bool success = false;
    QString output;
    QString error;
};
