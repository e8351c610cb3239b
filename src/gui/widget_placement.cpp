#include "gui/widget_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvella {
namespace {

constexpr std::int32_t kShowNormal = 1;
constexpr std::int32_t kShowMinimised = 2;
constexpr std::int32_t kShowMaximised = 3;

}  // namespace

WidgetPlacement::WidgetPlacement(QWidget& widget, std::function<bool()> minimised)
    : widget_(widget), minimised_(std::move(minimised)) {}

WindowPlacement WidgetPlacement::Placement() const {
    WindowPlacement placement;
    const QRect normal = widget_.isMaximized() || widget_.isMinimized() ? widget_.normalGeometry()
                                                                        : widget_.geometry();
    placement.normal = {normal.left(), normal.top(), normal.left() + normal.width(),
                        normal.top() + normal.height()};
    if (minimised_ && minimised_())
        placement.show_cmd = kShowMinimised;
    else if (widget_.isMaximized())
        placement.show_cmd = kShowMaximised;
    else
        placement.show_cmd = kShowNormal;
    if (const QScreen* screen = widget_.screen())
        placement.pixels_per_inch = static_cast<std::int32_t>(screen->logicalDotsPerInch());
    placement.visible = widget_.isVisible();
    return placement;
}

void WidgetPlacement::SetPlacement(const WindowPlacement& placement) {
    restored_maximised_ = placement.show_cmd == kShowMaximised;
    const QRect rect(placement.normal.left, placement.normal.top,
                     placement.normal.right - placement.normal.left,
                     placement.normal.bottom - placement.normal.top);
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    // A screen that was unplugged since must not leave the window where nobody sees it.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(rect)) {
            widget_.setGeometry(rect);
            return;
        }
    }
    widget_.resize(rect.size());
}

}  // namespace orvella
