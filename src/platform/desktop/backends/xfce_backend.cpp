#include "platform/desktop/backends/xfce_backend.h"

#include <algorithm>
#include <string_view>

#include "platform/desktop/backends/shown_picture.h"
#include "platform/desktop/backends/x11_monitors.h"
#include "platform/system/process.h"

namespace orvella {
namespace {

constexpr const char* kChannel = "xfce4-desktop";
constexpr std::string_view kLastImage = "last-image";
// The property a fresh xfdesktop reads before it has written any of its own.
constexpr const char* kFirstMonitor = "/backdrop/screen0/monitor0/workspace0/last-image";

std::vector<std::string> LastImageProperties(const std::string& listing) {
    std::vector<std::string> properties;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string_view line = std::string_view(listing).substr(start, end - start);
        if (line.size() > kLastImage.size() && line.ends_with(kLastImage) &&
            line[line.size() - kLastImage.size() - 1] == '/')
            properties.emplace_back(line);
        start = end + 1;
    }
    return properties;
}

// The monitor part of a property ("HDMI-1" of "/backdrop/screen0/monitorHDMI-1/...").
std::string_view MonitorOf(std::string_view property) {
    const std::size_t start = property.find("/monitor");
    if (start == std::string_view::npos)
        return {};
    property.remove_prefix(start + 8);
    return property.substr(0, property.find('/'));
}

// What a property of monitor `name` shows: that monitor's picture when `name` is one of the
// monitors, or their number as older xfdesktops write it; else the change's picture.
std::string PictureFor(std::string_view name, const std::vector<DesktopMonitor>& monitors,
                       const std::vector<std::string>& pictures, const std::string& picture) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].name == name || std::to_string(i) == name)
            return pictures[i];
    }
    return picture;
}

}  // namespace

std::vector<DesktopMonitor> XfceWallpaperBackend::Monitors() const {
    return DisplayMonitors(display_);
}

int XfceWallpaperBackend::ImageStyle(WallpaperStyle style) {
    switch (style) {
        case WallpaperStyle::Centre:
            return 1;
        case WallpaperStyle::Tile:
            return 2;
        case WallpaperStyle::Stretch:
            return 3;
    }
    return 1;
}

Status XfceWallpaperBackend::Show(const WallpaperChange& change) {
    return ShowUnderNewName(change,
                            [this](const WallpaperChange& handed) { return Apply(handed); });
}

Status XfceWallpaperBackend::Apply(const WallpaperChange& change) {
    Result<std::string> listing = RunChecked(CommandLine(command_, {"-c", kChannel, "-l"}));
    if (!listing)
        return listing.status();
    std::vector<std::string> properties = LastImageProperties(*listing);
    const std::vector<DesktopMonitor> monitors =
        change.monitor_pictures.empty() ? std::vector<DesktopMonitor>{} : Monitors();
    if (properties.empty())
        properties.emplace_back(kFirstMonitor);
    // Each monitor has a picture of its own even before xfdesktop wrote its properties.
    for (const DesktopMonitor& monitor : monitors) {
        if (!monitor.name.empty() &&
            std::none_of(properties.begin(), properties.end(),
                         [&](const std::string& p) { return MonitorOf(p) == monitor.name; }))
            properties.push_back("/backdrop/screen0/monitor" + monitor.name +
                                 "/workspace0/last-image");
    }
    const std::vector<std::string> pictures = PicturesOfMonitors(change, monitors);
    const std::string style = std::to_string(ImageStyle(change.style));
    for (const std::string& image : properties) {
        const std::string style_property =
            image.substr(0, image.size() - kLastImage.size()) + "image-style";
        const std::string picture =
            PictureFor(MonitorOf(image), monitors, pictures, change.picture);
        // -n creates the property where xfdesktop has not written it yet.
        for (const std::vector<std::string>& argv :
             {CommandLine(command_,
                          {"-c", kChannel, "-p", image, "-n", "-t", "string", "-s", picture}),
              CommandLine(command_, {"-c", kChannel, "-p", style_property, "-n", "-t", "int", "-s",
                                     style})}) {
            if (Result<std::string> done = RunChecked(argv); !done)
                return done.status();
        }
    }
    return Status::Ok();
}

}  // namespace orvella
