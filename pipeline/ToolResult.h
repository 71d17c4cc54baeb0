#pragma once

#include <QString>

// The outcome of one run of the outside tool.
struct ToolResult {
    bool success = false;
    QString output;
    QString error;
    // How the run ended, for telling why it failed: never started, cut short by the watchdog, or
    // by a signal (its number; 0 when the tool exited or never started).
    bool launchFailed = false;
    // The version line of a tool too old, or not OpenSSL at all, which was therefore not run.
    QString refusedVersion;
    bool endedByWatchdog = false;
    int signal = 0;
};
