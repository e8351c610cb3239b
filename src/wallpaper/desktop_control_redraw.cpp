#include "wallpaper/desktop_control_redraw.h"

#include "platform/desktop/desktop.h"
#include "platform/registry/registry.h"

namespace orvella {

std::optional<DesktopControlPage> CurrentDesktopControlPage(Registry& registry,
                                                            const std::string& page_path) {
    std::optional<RegistryKey> key =
        RegistryKey::Open(registry, RegistryRoot::CurrentUser, std::string(kDesktopKey), false);
    if (!key || key->ReadString("Wallpaper").value_or("") != page_path)
        return std::nullopt;
    Result<std::optional<DesktopControlPage>> page = ReadDesktopControlPage(page_path);
    if (!page)
        return std::nullopt;  // the page is gone: nothing of ours to draw
    return *page;
}

bool IsDesktopControlPageCurrent(Registry& registry, const std::string& page_path) {
    return CurrentDesktopControlPage(registry, page_path).has_value();
}

Status RedrawDesktopControl(Desktop& desktop, Registry& registry, const std::string& page_path,
                            RedrawFor why) {
    const std::optional<DesktopControlPage> page = CurrentDesktopControlPage(registry, page_path);
    if (!page || (why == RedrawFor::NewDay && page->kind != DesktopControlPageKind::Calendar))
        return Status::Ok();
    return desktop.SetActiveDesktopWallpaper(page_path, std::nullopt);
}

}  // namespace orvella
