#pragma once

#include <cstdint>

namespace orvella {

struct PlacementPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PlacementPoint&) const = default;
};

struct PlacementRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

// A window's position as the Windows window-placement record holds it, plus the screen
// resolution it was taken at and whether the window was shown.
struct WindowPlacement {
    std::int32_t flags = 0;
    std::int32_t show_cmd = 1;  // SW_SHOWNORMAL
    std::int32_t pixels_per_inch = 96;
    PlacementPoint min_position{-1, -1};
    PlacementPoint max_position{-1, -1};
    PlacementRect normal;
    bool visible = false;
    bool operator==(const WindowPlacement&) const = default;
};

// The window whose placement a form store keeps. The window adapter decides what the
// numbers mean for its toolkit (a show command of 2 for a minimised application, scaling
// by pixels per inch); the store only writes and reads them.
class PlacementTarget {
public:
    virtual ~PlacementTarget() = default;
    virtual WindowPlacement Placement() const = 0;
    virtual void SetPlacement(const WindowPlacement& placement) = 0;
};

}  // namespace orvella
