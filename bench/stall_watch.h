#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace orvella::bench {

// Watches the event loop of a window bench: a 1 ms timer notes the longest gap between its
// ticks, which is the longest time the window could not answer.
class StallWatch {
public:
    // `each_tick` runs at every tick with the nanoseconds since Start.
    explicit StallWatch(std::function<void(qint64)> each_tick = {})
        : each_tick_(std::move(each_tick)) {
        ticker_.setInterval(1);
        QObject::connect(&ticker_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ms_ = std::max(longest_ms_, (now - last_tick_) / 1e6);
            last_tick_ = now;
            if (each_tick_)
                each_tick_(now);
        });
    }

    void Start() {
        clock_.start();
        ticker_.start();
    }
    void Stop() { ticker_.stop(); }

    qint64 ElapsedNs() const { return clock_.nsecsElapsed(); }
    qint64 LastTickNs() const { return last_tick_; }
    double LongestMs() const { return longest_ms_; }

private:
    std::function<void(qint64)> each_tick_;
    QElapsedTimer clock_;
    QTimer ticker_;
    qint64 last_tick_ = 0;
    double longest_ms_ = 0;
};

}  // namespace orvella::bench
