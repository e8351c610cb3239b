#pragma once

#include <vector>

namespace orvella {

// One monitor's part of the desktop, in the root window's pixels.
struct MonitorArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool primary = false;
    bool operator==(const MonitorArea&) const = default;
};

// Whether two monitors share any pixel.
bool MonitorsOverlap(const MonitorArea& a, const MonitorArea& b);

// The monitors a wallpaper is drawn on, from what the windowing system reports: each cut to
// the desktop of width x height, those of no size or wholly outside it left out, those that
// overlap (mirrored) joined into one covering both, ordered left to right then top to
// bottom, exactly one of them primary (the first when none says so). No monitor at all: the
// whole desktop as one.
std::vector<MonitorArea> ArrangeMonitors(std::vector<MonitorArea> found, int width, int height);

}  // namespace orvella
