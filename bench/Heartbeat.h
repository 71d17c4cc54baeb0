#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// While it lives, measures the longest time the event loop goes without a turn.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            worstStallMs_ = std::max(worstStallMs_, double(sinceBeat_.nsecsElapsed()) / 1e6);
            sinceBeat_.restart();
        });
        sinceBeat_.start();
        timer_.start();
    }
    double worstStallMs() const { return worstStallMs_; }

private:
    QElapsedTimer sinceBeat_;
    QTimer timer_;
    double worstStallMs_ = 0;
};
