#pragma once

#include <QWidget>
#include <functional>

#include "settings/window_placement.h"

namespace orvella {

// A top-level widget's position as the form store keeps it: the normal rectangle, the show
// command (1 normal, 2 minimised or in the tray, 3 maximised) and the screen's resolution.
class WidgetPlacement : public PlacementTarget {
public:
    // `minimised` tells whether the application counts as minimised (in the tray, say).
    WidgetPlacement(QWidget& widget, std::function<bool()> minimised);

    WindowPlacement Placement() const override;
    // Puts the window where it was, unless that place is on no screen now.
    void SetPlacement(const WindowPlacement& placement) override;

    // The show command restored last time: the window is shown maximised when it was.
    bool restored_maximised() const { return restored_maximised_; }

private:
    QWidget& widget_;
    std::function<bool()> minimised_;
    bool restored_maximised_ = false;
};

}  // namespace orvella
