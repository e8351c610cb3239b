#include "wallpaper/icon_transparency.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "wallpaper/wallpaper_settings.h"

namespace orvella {
namespace {

// The shell's desktop as Windows shows it: "Progman" with descendants of given classes,
// each list view with its text background. Keeps every message sent and every repaint.
class FakeDesktop : public DesktopWindows {
public:
    struct Sent {
        WindowHandle window;
        std::uint32_t message;
        std::intptr_t lparam;
        bool operator==(const Sent&) const = default;
    };

    WindowHandle AddChild(std::string class_name, std::uint32_t text_background = 0xFFFFFF) {
        const WindowHandle handle = 100 + children.size();
        children.push_back(handle);
        classes[handle] = std::move(class_name);
        backgrounds[handle] = text_background;
        return handle;
    }

    WindowHandle FindWindow(std::string_view class_name, std::string_view title) override {
        found_with = std::string(class_name) + "|" + std::string(title);
        return has_progman ? kProgman : 0;
    }
    void EnumChildWindows(WindowHandle parent,
                          const std::function<bool(WindowHandle)>& visit) override {
        if (parent != kProgman)
            return;
        for (const WindowHandle child : children) {
            if (!visit(child))
                return;
        }
    }
    std::string ClassName(WindowHandle window) override { return classes[window]; }
    std::uint32_t SendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t,
                              std::intptr_t lparam) override {
        sent.push_back({window, message, lparam});
        if (message == kLvmGetTextBkColor)
            return backgrounds[window];
        if (message == kLvmSetTextBkColor)
            backgrounds[window] = static_cast<std::uint32_t>(lparam);
        return 0;
    }
    void RedrawWindow(WindowHandle window, std::uint32_t flags) override {
        redraws.push_back({window, flags});
    }

    int Broadcasts() const {
        int count = 0;
        for (const Sent& s : sent)
            count += s.window == kHwndBroadcast && s.message == kWmWinIniChange ? 1 : 0;
        return count;
    }

    static constexpr WindowHandle kProgman = 42;
    bool has_progman = true;
    std::vector<WindowHandle> children;
    std::map<WindowHandle, std::string> classes;
    std::map<WindowHandle, std::uint32_t> backgrounds;
    std::vector<Sent> sent;
    std::vector<std::pair<WindowHandle, std::uint32_t>> redraws;
    std::string found_with;
};

TEST(IconTransparencyTest, TransparentLabelsNeedNoBroadcast) {
    FakeDesktop desktop;
    desktop.AddChild("SHELLDLL_DefView");
    const WindowHandle list = desktop.AddChild("SysListView32", kClrNone);
    TWallpaperSettings settings;
    TIconTransparency icons(desktop, settings);

    icons.SBTransClick();
    EXPECT_EQ(desktop.found_with, "Progman|Program Manager");
    EXPECT_EQ(desktop.sent, (std::vector<FakeDesktop::Sent>{{list, kLvmGetTextBkColor, 0}}));
    EXPECT_FALSE(icons.LabelsChanged());
    EXPECT_TRUE(desktop.redraws.empty());  // calendar off: nothing visible
}

TEST(IconTransparencyTest, OpaqueLabelsAreClearedAndAnnouncedOnce) {
    FakeDesktop desktop;
    desktop.AddChild("SHELLDLL_DefView");
    const WindowHandle list = desktop.AddChild("SysListView32", 0x00A56E3A);
    TWallpaperSettings settings;
    settings.SetCalendar(true);
    TIconTransparency icons(desktop, settings);

    icons.SBTransClick();
    const std::vector<FakeDesktop::Sent> expected = {
        {list, kLvmGetTextBkColor, 0},
        {list, kLvmSetTextBkColor, static_cast<std::intptr_t>(0xFFFFFFFFu)},
        {kHwndBroadcast, kWmWinIniChange, 0}};
    EXPECT_EQ(desktop.sent, expected);
    EXPECT_TRUE(icons.LabelsChanged());
    // With the calendar on, the whole desktop and its children repaint.
    EXPECT_EQ(desktop.redraws, (std::vector<std::pair<WindowHandle, std::uint32_t>>{{0, 0x81}}));

    // The next run finds them transparent: no broadcast again.
    desktop.sent.clear();
    icons.TransTimerTimer();
    EXPECT_EQ(desktop.Broadcasts(), 0);
    EXPECT_FALSE(icons.LabelsChanged());
}

TEST(IconTransparencyTest, TheFlagFollowsTheLastListViewAndCarriesOver) {
    FakeDesktop desktop;
    desktop.AddChild("SysListView32", 0x000000);                               // opaque
    desktop.AddChild("xSysListView32Ex", kClrNone);                            // a substring counts
    const WindowHandle ignored = desktop.AddChild("syslistview32", 0x000000);  // case counts
    TWallpaperSettings settings;
    TIconTransparency icons(desktop, settings);

    icons.SBTransClick();
    // The first was changed, but the last list view met was transparent.
    EXPECT_FALSE(icons.LabelsChanged());
    EXPECT_EQ(desktop.Broadcasts(), 0);
    EXPECT_EQ(desktop.backgrounds[ignored], 0u);
    EXPECT_EQ(desktop.backgrounds[100], kClrNone);

    // A run that meets no list view keeps the flag of the last run that met one.
    FakeDesktop opaque;
    opaque.AddChild("SysListView32", 0x000000);
    TIconTransparency carried(opaque, settings);
    carried.SBTransClick();
    EXPECT_EQ(opaque.Broadcasts(), 1);
    opaque.children.clear();
    opaque.has_progman = false;
    carried.SBTransClick();
    EXPECT_TRUE(carried.LabelsChanged());
    EXPECT_EQ(opaque.Broadcasts(), 2);
}

TEST(IconTransparencyTest, TheLinuxHostHasNoListViewToChange) {
    HostDesktopWindows host;
    TWallpaperSettings settings;
    settings.SetCalendar(true);
    TIconTransparency icons(host, settings);
    icons.SBTransClick();
    EXPECT_FALSE(icons.LabelsChanged());
    EXPECT_EQ(host.FindWindow("Progman", "Program Manager"), 0u);
}

}  // namespace
}  // namespace orvella
