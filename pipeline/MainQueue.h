#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

// Runs tasks on the thread this object lives on, one at a time, in the order they were posted
// from any thread, each once that thread is back in its event loop (a modal dialog's loop too).
// The hand-over is guarded by a plain mutex, which ThreadSanitizer sees, so it checks the real
// order of a worker's writes and the task that reads them.
class MainQueue : public QObject {
    Q_OBJECT

public:
    explicit MainQueue(QObject* parent = nullptr);
    // Drops the tasks not yet run.
    ~MainQueue() override;

    void post(std::function<void()> task);

Q_SIGNALS:
    // One per posted task; it carries nothing, so nothing the poster allocates crosses threads.
    void taskPosted();

private:
    void runNext();

    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};
