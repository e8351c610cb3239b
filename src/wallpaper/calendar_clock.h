#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/system/clock.h"

namespace orvella {

// The clock the desktop control's calendar is drawn by: the program's clock, but never
// earlier than the midnight a redraw waited for. A timer that fires a little early, or a
// clock held fixed for a test run, still gives the new day.
class CalendarClock : public Clock {
public:
    // `base` must outlive this clock.
    explicit CalendarClock(const Clock& base) : base_(base) {}
    std::int64_t Now() const override { return std::max(base_.Now(), not_before_); }
    void NotBefore(std::int64_t seconds) { not_before_ = std::max(not_before_, seconds); }

private:
    const Clock& base_;
    std::int64_t not_before_ = 0;
};

}  // namespace orvella
