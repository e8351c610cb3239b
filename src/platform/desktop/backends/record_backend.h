#pragma once

#include <string>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// Appends one JSON line per change to a file, for tests and scripts that want to see what
// the desktop would have been told:
// {"route":"spi","file":"...","style":"center","image":"..."}
class RecordWallpaperBackend : public WallpaperBackend {
public:
    explicit RecordWallpaperBackend(std::string path) : path_(std::move(path)) {}
    Status Show(const WallpaperChange& change) override;

    static std::string Line(const WallpaperChange& change);

private:
    std::string path_;
};

}  // namespace orvella
