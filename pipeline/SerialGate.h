#pragma once

#include <QObject>
#include <deque>
#include <functional>

// Lets one piece of work hold a shared resource at a time; the others wait their turn in
// arrival order. Used on the GUI thread only, so it needs no lock: a waiting piece runs as a
// task of its own, posted to `context`, once the holder leaves.
class SerialGate {
public:
    explicit SerialGate(QObject* context)
        : context_(context) {}

    // Runs `work` now if the gate is free, otherwise once every earlier holder has left. The
    // work holds the gate until it calls leave().
    void enter(std::function<void()> work);
    void leave();
    // Frees the gate and drops the pieces waiting for it, one already on its way to run too.
    void clear();

private:
    QObject* context_;
    bool held_ = false;
    unsigned clears_ = 0;
    std::deque<std::function<void()>> waiting_;
};
