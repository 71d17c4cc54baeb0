#include "pipeline/SerialGate.h"

void SerialGate::enter(std::function<void()> work) {
    if (held_) {
        waiting_.push_back(std::move(work));
        return;
    }
    held_ = true;
    work();
}

void SerialGate::leave() {
    if (waiting_.empty()) {
        held_ = false;
        return;
    }
    // The gate passes straight to the next piece, so nothing can overtake it.
    std::function<void()> next = std::move(waiting_.front());
    waiting_.pop_front();
    QMetaObject::invokeMethod(
        context_,
        [this, clears = clears_, next = std::move(next)] {
            if (clears == clears_)
                next();
        },
        Qt::QueuedConnection);
}

void SerialGate::clear() {
    ++clears_;
    held_ = false;
    waiting_.clear();
}
