#pragma once

#include <QtGlobal>
#include <atomic>
#include <memory>

// One piece of work the person started, from its start action to its last write. Everything it
// posts, the worker running its tool and its timers hold it; a reset abandons it, which ends its
// tool and drops whatever it posts from then on.
struct Run {
    explicit Run(quint64 serial)
        : serial(serial) {}

    const quint64 serial; // a run started later has a larger one
    std::atomic<bool> abandoned = false;
};

using RunHandle = std::shared_ptr<Run>;
