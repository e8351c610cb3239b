#pragma once

#include "settings/window_placement.h"

namespace orvella::testing {

// A window as the adapter presents one to a form store: a placement that can be read and
// set, counting how often a restore set it.
class TestWindow : public PlacementTarget {
public:
    explicit TestWindow(WindowPlacement placement) : placement_(placement) {}

    WindowPlacement Placement() const override { return placement_; }
    void SetPlacement(const WindowPlacement& placement) override {
        placement_ = placement;
        ++applied_;
    }

    // The user moving the window: no restore involved.
    void Move(const WindowPlacement& placement) { placement_ = placement; }
    const WindowPlacement& placement() const { return placement_; }
    int applied() const { return applied_; }

private:
    WindowPlacement placement_;
    int applied_ = 0;
};

}  // namespace orvella::testing
