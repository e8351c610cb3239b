#include "platform/desktop/backends/gnome_backend.h"

#include <unistd.h>

#include <algorithm>

#include "platform/desktop/backends/shown_picture.h"
#include "platform/desktop/backends/x11_monitors.h"
#include "platform/desktop/monitor_drawing.h"
#include "platform/desktop/wallpaper_canvas.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "platform/system/process.h"

namespace orvella {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";

bool ListsKey(const std::string& keys, std::string_view key) {
    std::size_t start = 0;
    while (start < keys.size()) {
        std::size_t end = keys.find('\n', start);
        if (end == std::string::npos)
            end = keys.size();
        if (std::string_view(keys).substr(start, end - start) == key)
            return true;
        start = end + 1;
    }
    return false;
}

// Where the picture of all monitors is composed: beside the change's picture.
std::string ComposedPath(const WallpaperChange& change) {
    return ParentFolder(change.picture) + "OrvellaMonitors.jpg";
}

}  // namespace

std::string GnomeWallpaperBackend::PictureOption(WallpaperStyle style) {
    switch (style) {
        case WallpaperStyle::Centre:
            return "centered";
        case WallpaperStyle::Tile:
            return "wallpaper";
        case WallpaperStyle::Stretch:
            return "stretched";
    }
    return "centered";
}

std::vector<DesktopMonitor> GnomeWallpaperBackend::Monitors() const {
    return loader_ ? DisplayMonitors(display_) : std::vector<DesktopMonitor>{};
}

Result<std::optional<std::string>> GnomeWallpaperBackend::Compose(
    const WallpaperChange& change) const {
    const std::vector<DesktopMonitor> monitors =
        change.monitor_pictures.empty() ? std::vector<DesktopMonitor>{} : Monitors();
    if (monitors.size() < 2)
        return std::optional<std::string>();
    std::vector<MonitorArea> areas;
    PicturePixels all;
    for (const DesktopMonitor& monitor : monitors) {
        areas.push_back(monitor.area);
        all.width = std::max(all.width, monitor.area.x + monitor.area.width);
        all.height = std::max(all.height, monitor.area.y + monitor.area.height);
    }
    all.rgb.resize(static_cast<std::size_t>(all.width) * all.height);
    if (Status drawn = DrawMonitors(*loader_, change, areas, ViewOf(all)); !drawn)
        return drawn;
    const std::string composed = ComposedPath(change);
    if (Status saved = loader_->SaveJpeg(all, composed); !saved)
        return saved;
    return std::optional<std::string>(composed);
}

Status GnomeWallpaperBackend::Show(const WallpaperChange& change) {
    Result<std::optional<std::string>> composed = Compose(change);
    if (!composed)
        return composed.status();
    WallpaperChange shown = change;
    if (composed->has_value())
        shown.picture = **composed;
    const bool spanned = composed->has_value();
    Status done = ShowUnderNewName(
        shown, [this, spanned](const WallpaperChange& handed) { return Apply(handed, spanned); });
    // One picture on all monitors again: the composed one of an earlier change goes.
    if (done && !spanned)
        ::unlink(ComposedPath(change).c_str());
    return done;
}

Status GnomeWallpaperBackend::Apply(const WallpaperChange& change, bool spanned) {
    // The dark-style key came with GNOME 42; older schemas would refuse it.
    Result<std::string> keys = RunChecked(CommandLine(command_, {"list-keys", kSchema}));
    if (!keys)
        return keys.status();
    const std::string uri = FileUri(change.picture);
    std::vector<std::vector<std::string>> settings = {
        CommandLine(command_, {"set", kSchema, "picture-uri", uri}),
        CommandLine(command_, {"set", kSchema, "picture-options",
                               spanned ? "spanned" : PictureOption(change.style)}),
        CommandLine(command_, {"set", kSchema, "primary-color", HashColour(change.background)}),
    };
    if (ListsKey(*keys, "picture-uri-dark"))
        settings.push_back(CommandLine(command_, {"set", kSchema, "picture-uri-dark", uri}));
    for (const std::vector<std::string>& argv : settings) {
        if (Result<std::string> done = RunChecked(argv); !done)
            return done.status();
    }
    return Status::Ok();
}

}  // namespace orvella
