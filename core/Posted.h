#pragma once

#include <QMetaObject>
#include <QObject>
#include <utility>

// Runs `task` on `receiver`'s thread once it is back in its event loop, after everything posted
// to `receiver` before it; never if `receiver` is deleted first.
template <typename Task> void post(QObject* receiver, Task task) {
    QMetaObject::invokeMethod(receiver, std::move(task), Qt::QueuedConnection);
}
