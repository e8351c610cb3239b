#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop/desktop_colour.h"

namespace orvella {

// What the screen saver shows, as "Ovlscr.ini" describes it: the keys of [WImages] in the
// file's order, [ScreenSaver] Time in milliseconds and Color. Whatever is missing or bad
// falls back to the dialog's defaults (30000 ms, black; a time below 5000 ms is raised to
// 5000), and each such fallback is told in `problems`, for the screen saver to report.
struct ScreenSaverShow {
    static constexpr std::int64_t kDefaultTimeMs = 30000;
    static constexpr std::int64_t kShortestTimeMs = 5000;

    std::vector<std::string> pictures;
    std::int64_t time_ms = kDefaultTimeMs;
    ColorRef colour = 0;
    std::vector<std::string> problems;
};

ScreenSaverShow ReadScreenSaverShow(const std::string& settings_file);

}  // namespace orvella
