#include "platform/desktop/backends/gnome_backend.h"

#include "platform/desktop/backends/shown_picture.h"
#include "platform/files/file_uri.h"
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

Status GnomeWallpaperBackend::Show(const WallpaperChange& change) {
    return ShowUnderNewName(change,
                            [this](const WallpaperChange& handed) { return Apply(handed); });
}

Status GnomeWallpaperBackend::Apply(const WallpaperChange& change) {
    // The dark-style key came with GNOME 42; older schemas would refuse it.
    Result<std::string> keys = RunChecked(CommandLine(command_, {"list-keys", kSchema}));
    if (!keys)
        return keys.status();
    const std::string uri = FileUri(change.picture);
    std::vector<std::vector<std::string>> settings = {
        CommandLine(command_, {"set", kSchema, "picture-uri", uri}),
        CommandLine(command_, {"set", kSchema, "picture-options", PictureOption(change.style)}),
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
