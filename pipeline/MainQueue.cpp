#include "pipeline/MainQueue.h"

MainQueue::MainQueue(QObject* parent)
    : QObject(parent) {
    connect(this, &MainQueue::taskPosted, this, &MainQueue::runNext, Qt::QueuedConnection);
}

MainQueue::~MainQueue() {
    // Taken, so that ThreadSanitizer sees the posters' writes before the tasks go.
    const std::lock_guard lock(mutex_);
    tasks_.clear();
}

void MainQueue::post(std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    Q_EMIT taskPosted();
}

void MainQueue::runNext() {
    std::function<void()> task;
    {
        const std::lock_guard lock(mutex_);
        if (tasks_.empty())
            return;
        task = std::move(tasks_.front());
        tasks_.pop_front();
    }
    task();
}
