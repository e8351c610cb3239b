#include "wallpaper/month_sheet.h"

#include <chrono>
#include <ctime>

namespace orvella {
namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

sys_days ToDays(CivilDate date) {
    return sys_days(year_month_day(std::chrono::year(date.year),
                                   std::chrono::month(static_cast<unsigned>(date.month)),
                                   std::chrono::day(static_cast<unsigned>(date.day))));
}

CivilDate FromDays(sys_days days) {
    const year_month_day date(days);
    return CivilDate{static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                     static_cast<int>(unsigned(date.day()))};
}

// 0 for Monday to 6 for Sunday.
int WeekdayFromMonday(sys_days days) {
    return static_cast<int>(std::chrono::weekday(days).iso_encoding()) - 1;
}

}  // namespace

int IsoWeek(CivilDate date) {
    const sys_days days = ToDays(date);
    // The week belongs to the year of its Thursday.
    const sys_days thursday = days + std::chrono::days(3 - WeekdayFromMonday(days));
    const int iso_year = FromDays(thursday).year;
    const sys_days first = ToDays(CivilDate{iso_year, 1, 1});
    return static_cast<int>((thursday - first).count() / 7) + 1;
}

MonthSheet MakeMonthSheet(CivilDate today) {
    MonthSheet sheet;
    sheet.year = today.year;
    sheet.month = today.month;
    sheet.today = today;
    const sys_days first = ToDays(CivilDate{today.year, today.month, 1});
    sys_days day = first - std::chrono::days(WeekdayFromMonday(first));
    for (MonthSheetWeek& week : sheet.weeks) {
        week.iso_week = IsoWeek(FromDays(day));
        for (MonthSheetDay& cell : week.days) {
            cell.date = FromDays(day);
            cell.in_month = cell.date.year == today.year && cell.date.month == today.month;
            cell.today = cell.date == today;
            day += std::chrono::days(1);
        }
    }
    return sheet;
}

std::string_view GermanMonthName(int month) {
    static constexpr std::string_view kNames[12] = {"Januar",    "Februar", "März",     "April",
                                                    "Mai",       "Juni",    "Juli",     "August",
                                                    "September", "Oktober", "November", "Dezember"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : std::string_view();
}

std::string_view GermanWeekdayShort(int weekday_from_monday) {
    static constexpr std::string_view kNames[7] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return weekday_from_monday >= 0 && weekday_from_monday < 7 ? kNames[weekday_from_monday]
                                                               : std::string_view();
}

CivilDate LocalDate(std::int64_t unix_seconds) {
    const std::time_t time = static_cast<std::time_t>(unix_seconds);
    std::tm local{};
    localtime_r(&time, &local);
    return CivilDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::int64_t NextLocalMidnight(std::int64_t unix_seconds) {
    const CivilDate next = FromDays(ToDays(LocalDate(unix_seconds)) + std::chrono::days(1));
    std::tm midnight{};
    midnight.tm_year = next.year - 1900;
    midnight.tm_mon = next.month - 1;
    midnight.tm_mday = next.day;
    midnight.tm_isdst = -1;  // whichever offset holds at that moment
    const std::time_t result = std::mktime(&midnight);
    // A zone whose clock jumps over midnight gives the first second that exists; a failed
    // conversion falls back to a day later, which is never in the past.
    return result == static_cast<std::time_t>(-1) ? unix_seconds + 24 * 3600
                                                  : static_cast<std::int64_t>(result);
}

}  // namespace orvella
