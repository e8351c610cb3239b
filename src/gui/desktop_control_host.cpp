#include "gui/desktop_control_host.h"

#include "gui/desktop_control_renderer.h"
#include "gui/desktop_control_timers.h"
#include "gui/starfield_animation.h"
#include "wallpaper/desktop_control_redraw.h"

namespace orvella {

DesktopControlHost::DesktopControlHost() = default;
DesktopControlHost::~DesktopControlHost() = default;

std::function<std::unique_ptr<PageRenderer>(const PageRendererSources&)>
DesktopControlHost::RendererMaker(std::function<std::unique_ptr<PageRenderer>()> others) {
    return [this, others = std::move(others)](const PageRendererSources& sources) {
        day_ = std::make_shared<CalendarClock>(sources.clock);
        const Screen& screen = sources.screen;
        return std::unique_ptr<PageRenderer>(
            std::make_unique<DesktopControlRenderer>(DesktopControlRenderer::Sources{
                .program_dir = sources.program_dir,
                .registry = sources.registry,
                .clock = day_,
                .screen =
                    [&screen] {
                        const ScreenSize size = screen.Size();
                        return QSize(size.width, size.height);
                    },
                .others = others ? others() : nullptr,
                .drawn =
                    [this](const DesktopControlScene& scene) {
                        if (animation_)
                            animation_->PageDrawn(scene);
                    },
            }));
    };
}

void DesktopControlHost::Start(Platform& platform, std::string page_path,
                               std::function<void(const Status&)> warn) {
    platform_ = &platform;
    page_path_ = page_path;
    if (!day_)
        day_ = std::make_shared<CalendarClock>(*platform.clock);  // pages handed on as they are
    Registry& registry = *platform.registry;
    animation_ =
        std::make_unique<TStarfieldAnimation>(platform.desktop->Live(), [&registry, page_path] {
            const std::optional<DesktopControlPage> page =
                CurrentDesktopControlPage(registry, page_path);
            return page && page->kind == DesktopControlPageKind::Starfield &&
                   ReadDesktopControlSettings(registry).starfield_type == "Advanced";
        });
    Desktop& desktop = *platform.desktop;
    timers_ = std::make_unique<TDesktopControlTimers>(TDesktopControlTimers::Parts{
        .clock = *platform.clock,
        .day = *day_,
        .redraw =
            [&desktop, &registry, page_path](bool new_day) {
                return RedrawDesktopControl(desktop, registry, page_path,
                                            new_day ? RedrawFor::NewDay : RedrawFor::AnyPage);
            },
        .warn = std::move(warn),
    });
    timers_->Start();
}

Status DesktopControlHost::RedrawCalendar() {
    if (platform_ == nullptr)
        return Status::Ok();
    return RedrawDesktopControl(*platform_->desktop, *platform_->registry, page_path_,
                                RedrawFor::NewDay);
}

}  // namespace orvella
