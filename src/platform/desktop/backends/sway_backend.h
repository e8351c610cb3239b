#pragma once

#include <string>
#include <utility>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// sway: a swaybg of ours for all outputs. It must outlive the program (a "-wall -close"
// run ends at once), so its process number is kept in `pid_file`, and the next change
// starts the new swaybg first and then ends the earlier one, so the screen never goes bare.
class SwayWallpaperBackend : public WallpaperBackend {
public:
    SwayWallpaperBackend(std::string pid_file, std::string program = "swaybg")
        : pid_file_(std::move(pid_file)), program_(std::move(program)) {}
    Status Show(const WallpaperChange& change) override;

    // swaybg's modes: centre "center", tile "tile", stretch "stretch".
    static std::string Mode(WallpaperStyle style);

private:
    void EndEarlier(const std::string& pid_text) const;
    std::string pid_file_;
    std::string program_;
};

}  // namespace orvella
