#include "platform/desktop/backends/xfce_backend.h"

#include <string_view>

#include "platform/desktop/backends/shown_picture.h"
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

}  // namespace

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
    if (properties.empty())
        properties.emplace_back(kFirstMonitor);
    const std::string style = std::to_string(ImageStyle(change.style));
    for (const std::string& image : properties) {
        const std::string style_property =
            image.substr(0, image.size() - kLastImage.size()) + "image-style";
        // -n creates the property where xfdesktop has not written it yet.
        for (const std::vector<std::string>& argv :
             {CommandLine(command_, {"-c", kChannel, "-p", image, "-n", "-t", "string", "-s",
                                     change.picture}),
              CommandLine(command_, {"-c", kChannel, "-p", style_property, "-n", "-t", "int", "-s",
                                     style})}) {
            if (Result<std::string> done = RunChecked(argv); !done)
                return done.status();
        }
    }
    return Status::Ok();
}

}  // namespace orvella
