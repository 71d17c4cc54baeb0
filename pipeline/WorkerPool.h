#pragma once

#include <QRunnable>
#include <QThreadPool>
#include <deque>
#include <functional>
#include <mutex>

// Runs blocking work on threads of its own, as many at once as it is given. Work is handed
// over through a plain mutex rather than through Qt's pool queue, so that ThreadSanitizer sees
// the order between what the caller wrote and what the worker reads.
class WorkerPool {
public:
    explicit WorkerPool(int maxThreads);
    // Waits for the work in hand.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void start(std::function<void()> work);
    void waitForDone();

private:
    // Made once, before any worker thread, and run again for every piece of work: it carries
    // nothing of its own that a worker could read unordered.
    struct TakeNext : QRunnable {
        explicit TakeNext(WorkerPool* pool)
            : pool(pool) {
            setAutoDelete(false);
        }
        void run() override { pool->runNext(); }
        WorkerPool* const pool;
    };

    void runNext();

    std::mutex mutex_;
    std::deque<std::function<void()>> work_;
    TakeNext takeNext_{this};
    QThreadPool threads_;
};
