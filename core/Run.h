#pragma once

#include "pipeline/WorkingFolder.h"

#include <QDateTime>
#include <QObject>
#include <chrono>

// How long the tools may run before the watchdog ends them, how long the busy state outlasts a
// conversion's result, and the clock a certificate's dates are held against. Tests change them;
// the window keeps these.
struct RunTimings {
    std::chrono::milliseconds download{20000};
    std::chrono::milliseconds conversion{10000};
    std::chrono::milliseconds busyEnd{2000};
    QDateTime (*now)() = &QDateTime::currentDateTimeUtc;
};

// One piece of work the person started, from its start action to its last write. It owns its
// working folder, and as children its tool process and its timers; whatever it posts is
// delivered with it as the context. Deleting it (a reset, or its end) ends its tool, removes its
// folder and drops all it would still have written.
class Run : public QObject {
    Q_OBJECT

public:
    Run(quint64 serial, QObject* parent)
        : QObject(parent)
        , serial(serial) {}

    const quint64 serial; // a run started later has a larger one
    WorkingFolder folder;
};
