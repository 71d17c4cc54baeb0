#pragma once

#include <fstream>
#include <string>

// A line of /proc/self/status in kB ("VmRSS", "VmHWM"). Unlike getrusage's maximum, the peak
// starts afresh at exec, so a probe started from a big process reports only its own.
inline long procStatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    }
    return 0;
}
