#include "pipeline/WorkerPool.h"

WorkerPool::WorkerPool(int maxThreads) {
    threads_.setMaxThreadCount(maxThreads);
}

WorkerPool::~WorkerPool() {
    waitForDone();
}

void WorkerPool::start(std::function<void()> work) {
    {
        const std::lock_guard lock(mutex_);
        work_.push_back(std::move(work));
    }
    threads_.start(&takeNext_);
}

void WorkerPool::waitForDone() {
    threads_.waitForDone();
    // Taken, so that the last worker's hand-back is seen before the queue goes.
    const std::lock_guard lock(mutex_);
    work_.clear();
}

void WorkerPool::runNext() {
    std::function<void()> work;
    {
        const std::lock_guard lock(mutex_);
        work = std::move(work_.front());
        work_.pop_front();
    }
    work();
}
