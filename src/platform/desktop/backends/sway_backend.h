#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {

// sway: a swaybg of ours for all outputs. It must outlive the program (a "-wall -close"
// run ends at once), so its process number is kept in `pid_file`, and the next change
// starts the new swaybg first and then ends the earlier one, so the screen never goes bare.
// With pictures for the monitors, the one swaybg gets an "-o NAME -i FILE -m MODE" group
// per output, the outputs as `swaymsg -t get_outputs` lists them.
class SwayWallpaperBackend : public WallpaperBackend {
public:
    SwayWallpaperBackend(std::string pid_file, std::string program = "swaybg",
                         std::string swaymsg = "swaymsg")
        : pid_file_(std::move(pid_file)),
          program_(std::move(program)),
          swaymsg_(std::move(swaymsg)) {}
    Status Show(const WallpaperChange& change) override;
    std::vector<DesktopMonitor> Monitors() const override;

    // The active outputs of `swaymsg -t get_outputs -r`'s answer, left to right, then top to
    // bottom, the focused one primary; empty when the answer is not such a list.
    static std::vector<DesktopMonitor> OutputsOf(const std::string& answer);

    // swaybg's modes: centre "center", tile "tile", stretch "stretch".
    static std::string Mode(WallpaperStyle style);

private:
    void EndEarlier(const std::string& pid_text) const;
    std::string pid_file_;
    std::string program_;
    std::string swaymsg_;
};

}  // namespace orvella
