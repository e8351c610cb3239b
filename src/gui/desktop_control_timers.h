#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/status.h"
#include "platform/system/clock.h"
#include "wallpaper/calendar_clock.h"
#include "wallpaper/month_sheet.h"

namespace orvella {

// Keeps the calendar on the desktop right on the day it is seen: while the program runs, our
// page is drawn again a second after each local midnight, and an hourly wake looks again
// (a timer stands still while the machine sleeps, so after a night in suspend the hour
// finds the day changed and draws it).
class TDesktopControlTimers : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const Clock& clock;  // the program's clock (ORVELLA_TIME in tests)
        CalendarClock& day;  // what the calendar is drawn by
        // Hands our page to the desktop again when it is on show; `new_day` false at the start.
        std::function<Status(bool new_day)> redraw;
        std::function<void(const Status&)> warn;
    };
    static constexpr int kHourMs = 3600 * 1000;

    // The parts' references must outlive the timers.
    explicit TDesktopControlTimers(Parts parts, QObject* parent = nullptr);

    // Draws now (a picture of an earlier day may be on show) and arms the timers.
    void Start();
    // Milliseconds from the clock's now to one second past the next local midnight.
    int MsToMidnightRedraw() const;

    QTimer& MidnightTimer() { return midnight_timer_; }
    QTimer& HourTimer() { return hour_timer_; }

    void MidnightTimerTimer();
    void HourTimerTimer();

private:
    void Redraw(bool new_day);
    void ArmMidnight();

    Parts parts_;
    QTimer midnight_timer_;
    QTimer hour_timer_;
    std::int64_t midnight_ = 0;  // the midnight the timer waits for
    std::optional<CivilDate> drawn_day_;
};

}  // namespace orvella
