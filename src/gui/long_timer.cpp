#include "gui/long_timer.h"

#include <algorithm>

namespace orvella {

using std::chrono::milliseconds;

LongTimer::LongTimer(QObject* parent, milliseconds max_step)
    : QObject(parent), max_step_(max_step) {
    step_.setSingleShot(true);
    connect(&step_, &QTimer::timeout, this, &LongTimer::Step);
}

void LongTimer::Start() {
    step_.stop();
    if (interval_ <= milliseconds(0))
        return;
    due_ = std::chrono::steady_clock::now() + interval_;
    WaitForDue();
}

milliseconds LongTimer::Remaining() const {
    if (!IsActive())
        return milliseconds(0);
    return std::max(milliseconds(0), std::chrono::duration_cast<milliseconds>(
                                         due_ - std::chrono::steady_clock::now()));
}

void LongTimer::WaitForDue() {
    const milliseconds left =
        std::chrono::duration_cast<milliseconds>(due_ - std::chrono::steady_clock::now());
    step_.start(std::clamp(left, milliseconds(0), max_step_));
}

void LongTimer::Step() {
    if (std::chrono::steady_clock::now() < due_) {
        WaitForDue();
        return;
    }
    // The next interval from now: a tick held up by a busy program does not come twice.
    due_ = std::chrono::steady_clock::now() + interval_;
    WaitForDue();
    emit timeout();
}

}  // namespace orvella
