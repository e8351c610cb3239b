#include "wallpaper/calendar_wallpaper.h"

#include "platform/host_platform.h"

namespace orvella {

TCalendarWallpaper::TCalendarWallpaper(const Platform& platform)
    : images_(platform.paths.program_dir, *platform.screen),
      pages_(platform.paths.program_dir, *platform.screen, *platform.desktop_colours) {}

Status TCalendarWallpaper::PrepareStretched(const std::string& copy) {
    return images_.PrepareStretched(copy);
}

Status TCalendarWallpaper::PrepareTiled(const std::string& copy) {
    return images_.PrepareTiled(copy);
}

Status TCalendarWallpaper::PrepareCentred(const std::string& copy) {
    return images_.PrepareCentred(copy);
}

Status TCalendarWallpaper::WriteCalendarPage(const std::string& page_path) {
    return pages_.WritePage(LabelWallHTML(), page_path);
}

Status TCalendarWallpaper::WriteStarfieldPage(const std::string& page_path) {
    return pages_.WritePage(LabelStarFieldHTML(), page_path);
}

}  // namespace orvella
