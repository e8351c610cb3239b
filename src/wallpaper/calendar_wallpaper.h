#pragma once

#include <string>

#include "wallpaper/calendar_images.h"
#include "wallpaper/calendar_preparation.h"
#include "wallpaper/wallpaper_pages.h"

namespace orvella {

struct Platform;

// The calendar and starfield wallpapers as the engine asks for them: the prepared pictures
// in the program folder and the pages in the Windows directory, for the platform's screen
// and desktop colour at the moment of each change.
class TCalendarWallpaper : public CalendarPreparation {
public:
    // The platform must outlive this object.
    explicit TCalendarWallpaper(const Platform& platform);

    Status PrepareStretched(const std::string& copy) override;
    Status PrepareTiled(const std::string& copy) override;
    Status PrepareCentred(const std::string& copy) override;
    Status WriteCalendarPage(const std::string& page_path) override;
    Status WriteStarfieldPage(const std::string& page_path) override;

private:
    TCalendarImages images_;
    TWallpaperPages pages_;
};

}  // namespace orvella
