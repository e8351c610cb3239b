#pragma once

#include <QSize>
#include <functional>
#include <memory>
#include <string>

#include "gui/desktop_control_painter.h"
#include "platform/desktop/page_renderer.h"
#include "platform/registry/registry.h"
#include "platform/system/clock.h"

namespace orvella {

// The picture of a page for the host desktop. Our own calendar and starfield pages are drawn
// as our desktop control draws them; every other page goes to the renderer of pages.
class DesktopControlRenderer : public PageRenderer {
public:
    // Called after each picture of one of our pages, with what it was drawn from.
    using Drawn = std::function<void(const DesktopControlScene&)>;
    struct Sources {
        std::string program_dir;  // with a trailing separator; the pictures go there
        Registry& registry;
        std::shared_ptr<const Clock> clock;  // the calendar's day
        std::function<QSize()> screen;
        std::unique_ptr<PageRenderer> others;  // null: other pages are handed on as they are
        Drawn drawn;
    };
    explicit DesktopControlRenderer(Sources sources);

    // Our page drawn into "OrvellaDesktop1.png" and "OrvellaDesktop2.png" by turns: a desktop
    // that keeps the picture of a file name it was given (GNOME does) sees a new name.
    Result<std::string> PictureForPage(const std::string& page) const override;

    // The scene of one of our pages, from the calendar key, the clock and the screen now.
    DesktopControlScene SceneFor(const DesktopControlPage& page) const;

private:
    Sources sources_;
    mutable int next_ = 0;
};

}  // namespace orvella
