#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// The calendar wallpaper's work on a picture: the screen-sized images "Orvella.jpg" and
// "Orvella2.jpg" made from the copy by display mode, and the calendar page written to the
// calendar page path; and the starfield page, written to the same path. An error stops the
// change and is shown to the user.
class CalendarPreparation {
public:
    virtual ~CalendarPreparation() = default;
    virtual Status PrepareStretched(const std::string& copy) = 0;
    virtual Status PrepareTiled(const std::string& copy) = 0;
    virtual Status PrepareCentred(const std::string& copy) = 0;
    virtual Status WriteCalendarPage(const std::string& page_path) = 0;
    virtual Status WriteStarfieldPage(const std::string& page_path) = 0;
};

// Until the calendar is built: every step fails with one clear message, so a change with
// the calendar on stops before the wallpaper is touched rather than setting a page that
// was never written.
class UnavailableCalendarPreparation : public CalendarPreparation {
public:
    static constexpr const char* kMessage = "The calendar wallpaper is not available yet.";
    Status PrepareStretched(const std::string&) override { return Status::Error(kMessage); }
    Status PrepareTiled(const std::string&) override { return Status::Error(kMessage); }
    Status PrepareCentred(const std::string&) override { return Status::Error(kMessage); }
    Status WriteCalendarPage(const std::string&) override { return Status::Error(kMessage); }
    Status WriteStarfieldPage(const std::string&) override { return Status::Error(kMessage); }
};

}  // namespace orvella
