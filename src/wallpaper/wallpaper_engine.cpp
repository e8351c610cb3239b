#include "wallpaper/wallpaper_engine.h"

#include <iostream>

#include "library/category_store.h"
#include "platform/files/file_copy.h"
#include "platform/files/file_extension.h"
#include "platform/host_platform.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "wallpaper/calendar_preparation.h"
#include "wallpaper/change_sound.h"
#include "wallpaper/monitor_picks.h"
#include "wallpaper/starfield_state.h"
#include "wallpaper/wallpaper_settings.h"

namespace orvella {
namespace {

std::optional<WallpaperStyle> StyleOfWallProps(WallProps wall_props) {
    switch (wall_props) {
        case WallProps::Centre:
            return WallpaperStyle::Centre;
        case WallProps::Tile:
            return WallpaperStyle::Tile;
        case WallProps::Stretch:
            return WallpaperStyle::Stretch;
        default:
            return std::nullopt;
    }
}

struct DesktopValues {
    const char* tile_wallpaper;
    const char* wallpaper_style;
};

// Centre is "1", not "0", for WallpaperStyle: that is what the classic desktop was given.
std::optional<DesktopValues> DesktopValuesOfWallProps(WallProps wall_props) {
    switch (wall_props) {
        case WallProps::Centre:
            return DesktopValues{"0", "1"};
        case WallProps::Tile:
            return DesktopValues{"1", "0"};
        case WallProps::Stretch:
            return DesktopValues{"0", "2"};
        default:
            return std::nullopt;
    }
}

}  // namespace

void TWallpaperEngine::WarnOnStandardError(const Status& status) {
    if (!status.ok())
        std::cerr << "orvella: " << status.message() << '\n';
}

TWallpaperEngine::TWallpaperEngine(Platform& platform, const MessageCatalogue& catalogue,
                                   Prompter& prompter, const WallpaperSettingsProvider& settings,
                                   ChangeSound& sound, CalendarPreparation& calendar, Warn warn)
    : platform_(platform),
      catalogue_(catalogue),
      prompter_(prompter),
      settings_(settings),
      sound_(sound),
      calendar_(calendar),
      warn_(std::move(warn)) {}

Status TWallpaperEngine::ApplyWallpaper(const std::string& path) {
    return ApplyPictures({path});
}

Status TWallpaperEngine::ApplyPictures(const std::vector<std::string>& pictures) {
    if (IsScreenSaverRunning())
        return Status::Ok();
    // The starfield state and the desktop's values reach the hive in one replacement, which
    // the desktop makes before it shows the change.
    DeferredRegistryWrites writes(*platform_.registry);
    const Status applied = ApplySteps(pictures);
    warn_(writes.Finish());  // a hive problem, as the other registry writes of a change
    return applied;
}

Status TWallpaperEngine::ApplySteps(const std::vector<std::string>& pictures) {
    const WallpaperSettings settings = settings_.Current();
    const std::string& path = pictures.front();

    // The starfield commands apply exactly the page path and so keep the state they wrote.
    if (path != CalendarPagePath())
        warn_(StoreStarfieldState(*platform_.registry, "", "false"));

    std::string file = path;
    // The calendar page is drawn for the primary monitor; the others show the picture itself,
    // or the pictures picked for them.
    std::vector<std::string> plain;
    if (!IsPagePath(path)) {
        std::optional<std::string> copy = CopyBesideProgram(path);
        if (!copy)
            return Status::Ok();
        file = *copy;
        if (settings.calendar && LoweredExtension(path) != ".gif") {
            if (Status prepared = PrepareCalendar(file, settings.wall_props); !prepared)
                return prepared;
            file = CalendarPagePath();
            plain.push_back(path);
        }
    }
    if (pictures.size() > 1)
        plain = pictures;
    platform_.desktop->SetMonitorPictures(std::move(plain));

    ChooseRoute(file, settings.wall_props);

    // Also after a declined Active Desktop prompt: the sound follows the route step.
    if (settings.change_sound.empty())
        return Status::Ok();
    return sound_.Play(settings.change_sound);
}

std::optional<std::string> TWallpaperEngine::CopyBesideProgram(const std::string& path) {
    const std::string copy =
        platform_.paths.program_dir + "Orvella" + std::string(ExtensionOf(path));
    if (!CopyFileReplacing(path, copy)) {
        ShowCatalogueMessage(prompter_, catalogue_, kMsgCopyFailure);
        return std::nullopt;
    }
    // A read-only copy would make the next copy over it fail.
    if (IsReadOnlyFile(copy))
        warn_(MakeFileNormal(copy));
    return copy;
}

Status TWallpaperEngine::PrepareCalendar(const std::string& copy, WallProps wall_props) {
    Status prepared;
    switch (wall_props) {
        case WallProps::Stretch:
            prepared = calendar_.PrepareStretched(copy);
            break;
        case WallProps::Tile:
            prepared = calendar_.PrepareTiled(copy);
            break;
        case WallProps::Centre:
            prepared = calendar_.PrepareCentred(copy);
            break;
        default:
            break;
    }
    if (!prepared)
        return prepared;
    return calendar_.WriteCalendarPage(CalendarPagePath());
}

void TWallpaperEngine::ChooseRoute(const std::string& file, WallProps wall_props) {
    if (IsActiveDesktopOn() || IsWinXP()) {
        SetThroughActiveDesktop(file, wall_props);
        return;
    }
    // Case-sensitive: a ".BMP" goes to the Active Desktop like any other picture.
    if (ExtensionOf(file) == ".bmp") {
        SetThroughRegistry(file, wall_props);
        return;
    }
    if (GoesOn(ShowCatalogueMessage(prompter_, catalogue_, kSMsgEnableAD2))) {
        EnableActiveDesktop();
        SetThroughActiveDesktop(file, wall_props);
    }
}

void TWallpaperEngine::SetThroughRegistry(const std::string& file, WallProps wall_props) {
    std::optional<RegistryKey> key = RegistryKey::Open(
        *platform_.registry, RegistryRoot::CurrentUser, std::string(kDesktopKey), false);
    if (key) {
        if (std::optional<DesktopValues> values = DesktopValuesOfWallProps(wall_props)) {
            warn_(key->WriteString("TileWallpaper", values->tile_wallpaper));
            warn_(key->WriteString("WallpaperStyle", values->wallpaper_style));
        }
    }
    warn_(platform_.desktop->SetDeskWallpaper(file));
}

Status TWallpaperEngine::SetStarfieldWallpaper(std::string_view type) {
    warn_(StoreStarfieldState(*platform_.registry, type, "true"));
    if (Status written = calendar_.WriteStarfieldPage(CalendarPagePath()); !written)
        return written;
    // Exactly the page path: the state just written is kept, and a page is never copied.
    return ApplyWallpaper(CalendarPagePath());
}

Status TWallpaperEngine::SetRandomWallpaper(const TCategoryStore& store) {
    const int current = store.CurrentCategory();
    if (current < 0 || current >= store.count())
        return Status::Ok();
    const std::vector<std::string>& pictures = store.category(current).pictures;
    if (pictures.empty())
        return Status::Ok();
    // Asked at every change: a monitor may have come or gone since the last one.
    const int monitors =
        settings_.Current().picture_per_screen ? platform_.desktop->MonitorCount() : 1;
    return ApplyPictures(PickMonitorPictures(pictures, platform_.clock->Now(), monitors));
}

Status TWallpaperEngine::SetSelectedWallpaper(const std::optional<std::string>& selected) {
    if (!selected)
        return Status::Ok();
    return ApplyWallpaper(*selected);
}

bool TWallpaperEngine::IsActiveDesktopOn() const {
    return platform_.desktop->IsDesktopHtml();
}

void TWallpaperEngine::EnableActiveDesktop() {
    warn_(platform_.desktop->EnableActiveDesktop());
}

bool TWallpaperEngine::IsWinXP() const {
    return platform_.version.IsWinXP();
}

bool TWallpaperEngine::IsScreenSaverRunning() const {
    return platform_.desktop->IsScreenSaverRunning();
}

std::string TWallpaperEngine::GetWindowsDir() const {
    return platform_.paths.windows_dir;
}

std::string TWallpaperEngine::CalendarPagePath() const {
    return GetWindowsDir() + "/Orvella.htm";
}

void TWallpaperEngine::SetActiveDesktopWallpaper(const std::string& file) {
    SetThroughActiveDesktop(file, settings_.Current().wall_props);
}

void TWallpaperEngine::SetThroughActiveDesktop(const std::string& file, WallProps wall_props) {
    // A display mode outside 0 to 2 sets no style: the desktop keeps the one it had.
    warn_(platform_.desktop->SetActiveDesktopWallpaper(file, StyleOfWallProps(wall_props)));
}

}  // namespace orvella
