#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

namespace orvella {

// A repeating timer for intervals longer than a QTimer holds (2^31 - 1 ms, about 24.8 days):
// the timed change allows 9 999 999 s, over 115 days. It waits in steps of at most
// `max_step` and fires once the whole interval has passed.
class LongTimer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kDefaultMaxStep = std::chrono::hours(24);

    explicit LongTimer(QObject* parent = nullptr,
                       std::chrono::milliseconds max_step = kDefaultMaxStep);

    // Takes effect at the next Start.
    void SetInterval(std::chrono::milliseconds interval) { interval_ = interval; }
    std::chrono::milliseconds interval() const { return interval_; }
    // Counts the interval from now; an interval of 0 or less never fires.
    void Start();
    void Stop() { step_.stop(); }
    bool IsActive() const { return step_.isActive(); }
    // How long until it fires; 0 when stopped.
    std::chrono::milliseconds Remaining() const;

signals:
    void timeout();

private:
    void Step();
    void WaitForDue();

    QTimer step_;
    std::chrono::milliseconds max_step_;
    std::chrono::milliseconds interval_{0};
    std::chrono::steady_clock::time_point due_;
};

}  // namespace orvella
