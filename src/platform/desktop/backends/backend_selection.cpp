#include "platform/desktop/backends/backend_selection.h"

#include "platform/desktop/backends/gnome_backend.h"
#include "platform/desktop/backends/kde_backend.h"
#include "platform/desktop/backends/record_backend.h"
#include "platform/desktop/backends/sway_backend.h"
#include "platform/desktop/backends/x11_backend.h"
#include "platform/desktop/backends/xfce_backend.h"
#include "platform/text.h"

namespace orvella {
namespace {

constexpr std::string_view kRecordPrefix = "record:";

bool ListsDesktop(std::string_view list, std::string_view desktop) {
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        if (EqualsIgnoreCase(list.substr(0, colon), desktop))
            return true;
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

std::string DesktopOfSession(const Environment& environment) {
    const std::string desktops = environment.Get("XDG_CURRENT_DESKTOP").value_or("");
    if (ListsDesktop(desktops, "GNOME") || ListsDesktop(desktops, "Unity"))
        return "gnome";
    if (ListsDesktop(desktops, "KDE"))
        return "kde";
    if (ListsDesktop(desktops, "XFCE"))
        return "xfce";
    if (ListsDesktop(desktops, "sway"))
        return "sway";
    if (environment.Get("WAYLAND_DISPLAY"))
        return "none";
    if (environment.Get("DISPLAY"))
        return "x11";
    return "none";
}

Result<std::unique_ptr<WallpaperBackend>> CreateWallpaperBackend(std::string_view name,
                                                                 const Environment& environment,
                                                                 const BackendSetup& setup) {
    if (name.starts_with(kRecordPrefix) && name.size() > kRecordPrefix.size()) {
        return std::unique_ptr<WallpaperBackend>(std::make_unique<RecordWallpaperBackend>(
            std::string(name.substr(kRecordPrefix.size()))));
    }
    const std::string chosen =
        EqualsIgnoreCase(name, "auto") ? DesktopOfSession(environment) : FoldCase(name);
    if (chosen == "gnome")
        return std::unique_ptr<WallpaperBackend>(std::make_unique<GnomeWallpaperBackend>(
            std::vector<std::string>{"gsettings"}, setup.picture_loader));
    if (chosen == "kde")
        return std::unique_ptr<WallpaperBackend>(std::make_unique<KdeWallpaperBackend>());
    if (chosen == "xfce")
        return std::unique_ptr<WallpaperBackend>(std::make_unique<XfceWallpaperBackend>());
    if (chosen == "sway") {
        return std::unique_ptr<WallpaperBackend>(
            std::make_unique<SwayWallpaperBackend>(setup.state_dir + "orvella-swaybg.pid"));
    }
    if (chosen == "x11") {
        if (!setup.picture_loader)
            return Status::Error("ORVELLA_DESKTOP=x11 needs a picture loader");
        return std::unique_ptr<WallpaperBackend>(
            std::make_unique<X11WallpaperBackend>(setup.picture_loader));
    }
    if (chosen == "none")
        return std::unique_ptr<WallpaperBackend>(std::make_unique<NoWallpaperBackend>());
    return Status::Error("ORVELLA_DESKTOP=" + std::string(name) +
                         " is not one of auto, gnome, kde, xfce, sway, x11, none, record:FILE");
}

}  // namespace orvella
