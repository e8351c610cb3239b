#include "platform/desktop/desktop.h"

#include <algorithm>

#include "platform/files/file_extension.h"
#include "platform/text.h"

namespace orvella {
namespace {

std::optional<WallpaperStyle> StyleFromNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text == "0")
        return WallpaperStyle::Centre;
    if (text == "1")
        return WallpaperStyle::Tile;
    if (text == "2")
        return WallpaperStyle::Stretch;
    return std::nullopt;
}

}  // namespace

WallpaperStyle StyleFromDesktopValues(std::optional<std::string> tile_wallpaper,
                                      std::optional<std::string> wallpaper_style) {
    if (tile_wallpaper && TrimBlanks(*tile_wallpaper) == "1")
        return WallpaperStyle::Tile;
    if (wallpaper_style && TrimBlanks(*wallpaper_style) == "2")
        return WallpaperStyle::Stretch;
    return WallpaperStyle::Centre;
}

HostDesktop::HostDesktop(Registry& registry, const DesktopColours& colours, Parts parts)
    : registry_(registry), colours_(colours), parts_(std::move(parts)) {
    if (!parts_.backend)
        parts_.backend = std::make_unique<NoWallpaperBackend>();
    if (!parts_.screen_saver)
        parts_.screen_saver = std::make_unique<FixedScreenSaverProbe>(false);
    if (!parts_.pages)
        parts_.pages = std::make_unique<PassThroughPageRenderer>();
}

int HostDesktop::MonitorCount() const {
    return std::max(static_cast<int>(parts_.backend->Monitors().size()), 1);
}

bool HostDesktop::IsScreenSaverRunning() const {
    return parts_.screen_saver->IsRunning();
}

bool HostDesktop::IsDesktopHtml() const {
    std::optional<RegistryKey> key =
        RegistryKey::Open(registry_, RegistryRoot::CurrentUser, std::string(kExplorerKey), false);
    return key && key->ReadDword(kActiveDesktopValue).value_or(0) != 0;
}

Status HostDesktop::EnableActiveDesktop() {
    return registry_.WriteValues(RegistryRoot::CurrentUser, kExplorerKey,
                                 {RegistryValue::Dword(std::string(kActiveDesktopValue), 1)});
}

Status HostDesktop::SetActiveDesktopWallpaper(const std::string& file,
                                              std::optional<WallpaperStyle> style) {
    // Both keys in one replacement of the hive (Hand writes what was kept).
    DeferredRegistryWrites writes(registry_);
    std::vector<RegistryValue> values = {RegistryValue::String("Wallpaper", file)};
    if (style) {
        values.push_back(
            RegistryValue::String("WallpaperStyle", std::to_string(static_cast<int>(*style))));
    }
    if (Status saved =
            registry_.WriteValues(RegistryRoot::CurrentUser, kActiveDesktopGeneralKey, values);
        !saved)
        return saved;
    // AD_APPLY_SAVE also leaves the file where the classic desktop looks for it.
    if (Status saved = registry_.WriteValues(RegistryRoot::CurrentUser, kDesktopKey,
                                             {RegistryValue::String("Wallpaper", file)});
        !saved)
        return saved;
    WallpaperStyle shown = WallpaperStyle::Centre;
    if (style) {
        shown = *style;
    } else if (std::optional<RegistryKey> general =
                   RegistryKey::Open(registry_, RegistryRoot::CurrentUser,
                                     std::string(kActiveDesktopGeneralKey), false)) {
        shown = StyleFromNumber(general->ReadString("WallpaperStyle").value_or("0"))
                    .value_or(WallpaperStyle::Centre);
    }
    return Hand(WallpaperRoute::ActiveDesktop, file, shown);
}

Status HostDesktop::SetDeskWallpaper(const std::string& file) {
    if (Status saved = registry_.WriteValues(RegistryRoot::CurrentUser, kDesktopKey,
                                             {RegistryValue::String("Wallpaper", file)});
        !saved)
        return saved;
    std::optional<RegistryKey> key =
        RegistryKey::Open(registry_, RegistryRoot::CurrentUser, std::string(kDesktopKey), false);
    const WallpaperStyle style = key ? StyleFromDesktopValues(key->ReadString("TileWallpaper"),
                                                              key->ReadString("WallpaperStyle"))
                                     : WallpaperStyle::Centre;
    return Hand(WallpaperRoute::Registry, file, style);
}

Status HostDesktop::Hand(WallpaperRoute route, const std::string& file, WallpaperStyle style) {
    // What the registry holds about the change is on disk before the desktop shows it.
    if (Status saved = registry_.FlushWrites(); !saved)
        return saved;
    WallpaperChange change;
    change.route = route;
    change.file = file;
    change.style = style;
    change.background = colours_.Background();
    change.picture = file;
    change.monitor_pictures = monitor_pictures_;
    if (IsPagePath(file)) {
        change.page_drawing = true;
        Result<std::string> picture = parts_.pages->PictureForPage(file);
        if (!picture)
            return picture.status();
        change.picture = *picture;
    }
    Status shown = parts_.backend->Show(change);
    if (shown)
        last_shown_ = std::move(change);
    return shown;
}

Status HostDesktop::SetScreenSaveActive(bool on) {
    return registry_.WriteValues(RegistryRoot::CurrentUser, kDesktopKey,
                                 {RegistryValue::String("ScreenSaveActive", on ? "1" : "0")});
}

Status HostDesktop::ShowBackgroundColour() {
    if (last_shown_) {
        WallpaperChange change = *last_shown_;
        change.background = colours_.Background();
        return parts_.backend->Show(change);
    }
    // Nothing shown yet in this run: the wallpaper the registry names, if any.
    std::optional<RegistryKey> key =
        RegistryKey::Open(registry_, RegistryRoot::CurrentUser, std::string(kDesktopKey), false);
    const std::string file = key ? key->ReadString("Wallpaper").value_or("") : "";
    if (file.empty())
        return Status::Ok();
    return Hand(WallpaperRoute::Registry, file,
                StyleFromDesktopValues(key->ReadString("TileWallpaper"),
                                       key->ReadString("WallpaperStyle")));
}

}  // namespace orvella
