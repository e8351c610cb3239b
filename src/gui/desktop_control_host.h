#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/page_renderer.h"
#include "platform/host_platform.h"
#include "wallpaper/calendar_clock.h"

namespace orvella {

class TDesktopControlTimers;
class TStarfieldAnimation;

// Our desktop control in the running program: it draws our pages for the platform's
// desktop, draws the calendar again at each new day and moves "Bewegt" where the desktop
// takes frames.
class DesktopControlHost {
public:
    DesktopControlHost();
    ~DesktopControlHost();
    DesktopControlHost(const DesktopControlHost&) = delete;
    DesktopControlHost& operator=(const DesktopControlHost&) = delete;

    // For HostHooks::make_page_renderer; pages that are not ours go to `others`. This host
    // must outlive the renderer it makes.
    std::function<std::unique_ptr<PageRenderer>(const PageRendererSources&)> RendererMaker(
        std::function<std::unique_ptr<PageRenderer>()> others);

    // Once the platform is made (with RendererMaker's renderer): our page, when on show, is
    // drawn now and after each midnight. The platform must outlive this host's timers.
    void Start(Platform& platform, std::string page_path, std::function<void(const Status&)> warn);

    // The calendar key changed (the options were confirmed): a calendar on show is drawn again
    // in its new colours and font. A starfield is left as it is. Nothing before Start.
    Status RedrawCalendar();

    TDesktopControlTimers* timers() { return timers_.get(); }
    TStarfieldAnimation* animation() { return animation_.get(); }

private:
    Platform* platform_ = nullptr;
    std::string page_path_;
    std::shared_ptr<CalendarClock> day_;
    std::unique_ptr<TDesktopControlTimers> timers_;
    std::unique_ptr<TStarfieldAnimation> animation_;
};

}  // namespace orvella
