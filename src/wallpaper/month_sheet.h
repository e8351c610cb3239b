#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string_view>

namespace orvella {

struct CivilDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    auto operator<=>(const CivilDate&) const = default;
};

struct MonthSheetDay {
    CivilDate date;
    bool in_month = false;  // false: a day of the month before or after
    bool today = false;
};

struct MonthSheetWeek {
    int iso_week = 1;
    std::array<MonthSheetDay, 7> days;  // Monday first
};

// One month as a wall calendar shows it: always six weeks from the Monday on or before the
// first of the month, so the sheet keeps its size from month to month, with the days of the
// neighbouring months filling the first and last weeks.
struct MonthSheet {
    int year = 1970;
    int month = 1;
    CivilDate today;
    std::array<MonthSheetWeek, 6> weeks;
};

MonthSheet MakeMonthSheet(CivilDate today);

// The ISO 8601 week: weeks begin on Monday and week 1 holds the year's first Thursday, so
// the first days of January may lie in week 52 or 53 of the year before.
int IsoWeek(CivilDate date);

// "Januar" ... "Dezember"; "Mo" ... "So" for 0 (Monday) to 6.
std::string_view GermanMonthName(int month);
std::string_view GermanWeekdayShort(int weekday_from_monday);

// The date of the local calendar (TZ) at that second.
CivilDate LocalDate(std::int64_t unix_seconds);

// The first second of the next local day. Built from the calendar date, not by adding 24
// hours, so the days of 23 and 25 hours at the clock changes end at their real midnight.
std::int64_t NextLocalMidnight(std::int64_t unix_seconds);

}  // namespace orvella
