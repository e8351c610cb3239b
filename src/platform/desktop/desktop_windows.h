#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvella {

// A window of the desktop shell, by its handle; 0 is no window.
using WindowHandle = std::uint64_t;

// The list-view messages and values the icon-label command uses, by their Windows numbers.
inline constexpr std::uint32_t kLvmGetTextBkColor = 0x1025;
inline constexpr std::uint32_t kLvmSetTextBkColor = 0x1026;
inline constexpr std::uint32_t kWmWinIniChange = 0x1A;
inline constexpr std::uint32_t kClrNone = 0xFFFFFFFF;
inline constexpr WindowHandle kHwndBroadcast = 0xFFFF;
inline constexpr std::uint32_t kRdwInvalidate = 0x1;
inline constexpr std::uint32_t kRdwAllChildren = 0x80;

// The shell's windows as FindWindowA, EnumChildWindows, GetClassNameA, SendMessageA and
// RedrawWindow see them.
class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;
    // 0 when there is no such top-level window.
    virtual WindowHandle FindWindow(std::string_view class_name, std::string_view title) = 0;
    // Calls `visit` for every descendant of `parent` until it returns false.
    virtual void EnumChildWindows(WindowHandle parent,
                                  const std::function<bool(WindowHandle)>& visit) = 0;
    virtual std::string ClassName(WindowHandle window) = 0;
    // kHwndBroadcast as the window sends to every top-level window and waits for them all.
    virtual std::uint32_t SendMessage(WindowHandle window, std::uint32_t message,
                                      std::uintptr_t wparam, std::intptr_t lparam) = 0;
    // 0 as the window is the whole desktop.
    virtual void RedrawWindow(WindowHandle window, std::uint32_t flags) = 0;
};

// Linux desktops draw their icons (if any) in programs of their own, with no list view we
// could reach; the shell's desktop window is never found, so nothing is ever sent.
class HostDesktopWindows : public DesktopWindows {
public:
    WindowHandle FindWindow(std::string_view, std::string_view) override { return 0; }
    void EnumChildWindows(WindowHandle, const std::function<bool(WindowHandle)>&) override {}
    std::string ClassName(WindowHandle) override { return {}; }
    std::uint32_t SendMessage(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {
        return 0;
    }
    void RedrawWindow(WindowHandle, std::uint32_t) override {}
};

}  // namespace orvella
