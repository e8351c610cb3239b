#include "wallpaper/icon_transparency.h"

#include "wallpaper/wallpaper_settings.h"

namespace orvella {

void TIconTransparency::SBTransClick() {
    const WindowHandle desktop = windows_.FindWindow("Progman", "Program Manager");
    windows_.EnumChildWindows(
        desktop, [this](WindowHandle window) { return MakeListViewTransparent(window); });
    if (labels_changed_)
        windows_.SendMessage(kHwndBroadcast, kWmWinIniChange, 0, 0);
    if (settings_.Current().calendar)
        windows_.RedrawWindow(0, kRdwInvalidate | kRdwAllChildren);
}

bool TIconTransparency::MakeListViewTransparent(WindowHandle window) {
    // GetClassNameA into 256 characters copies at most 255.
    const std::string class_name = windows_.ClassName(window).substr(0, 255);
    if (class_name.find("SysListView32") == std::string::npos)
        return true;
    if (windows_.SendMessage(window, kLvmGetTextBkColor, 0, 0) == kClrNone) {
        labels_changed_ = false;
    } else {
        windows_.SendMessage(window, kLvmSetTextBkColor, 0, static_cast<std::intptr_t>(kClrNone));
        labels_changed_ = true;
    }
    return true;
}

}  // namespace orvella
