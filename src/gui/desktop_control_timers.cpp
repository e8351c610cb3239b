#include "gui/desktop_control_timers.h"

#include <algorithm>

namespace orvella {

TDesktopControlTimers::TDesktopControlTimers(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)) {
    midnight_timer_.setSingleShot(true);
    hour_timer_.setInterval(kHourMs);
    connect(&midnight_timer_, &QTimer::timeout, this, &TDesktopControlTimers::MidnightTimerTimer);
    connect(&hour_timer_, &QTimer::timeout, this, &TDesktopControlTimers::HourTimerTimer);
}

void TDesktopControlTimers::Start() {
    Redraw(false);
    ArmMidnight();
    hour_timer_.start();
}

int TDesktopControlTimers::MsToMidnightRedraw() const {
    const std::int64_t now = parts_.clock.Now();
    const std::int64_t wait_s = NextLocalMidnight(parts_.day.Now()) + 1 - now;
    // Never at once and never more than a little over a day, whatever the clock says.
    return static_cast<int>(std::clamp<std::int64_t>(wait_s, 1, 25 * 3600 + 1) * 1000);
}

void TDesktopControlTimers::ArmMidnight() {
    midnight_ = NextLocalMidnight(parts_.day.Now());
    midnight_timer_.start(MsToMidnightRedraw());
}

void TDesktopControlTimers::MidnightTimerTimer() {
    parts_.day.NotBefore(midnight_);
    Redraw(true);
    ArmMidnight();
}

void TDesktopControlTimers::HourTimerTimer() {
    if (drawn_day_ != LocalDate(parts_.day.Now()))
        Redraw(true);
    ArmMidnight();
}

void TDesktopControlTimers::Redraw(bool new_day) {
    drawn_day_ = LocalDate(parts_.day.Now());
    if (!parts_.redraw)
        return;
    const Status status = parts_.redraw(new_day);
    if (!status && parts_.warn)
        parts_.warn(status);
}

}  // namespace orvella
