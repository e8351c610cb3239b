#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvella {

// What GetVersionExA reports. Linux has no Windows version; the one the program behaves
// as is chosen with ORVELLA_WINVER, so every family's behaviour can be run.
struct WindowsVersion {
    static constexpr std::uint32_t kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
    static constexpr std::uint32_t kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT

    std::uint32_t platform_id = kPlatformNt;
    std::uint32_t major = 5;
    std::uint32_t minor = 1;
    std::uint32_t build = 2600;

    // "95", "98", "me", "nt4", "2000", "xp", "vista", compared without regard to case.
    static std::optional<WindowsVersion> FromName(std::string_view name);
    static WindowsVersion Default() { return WindowsVersion(); }  // Windows XP

    bool IsWin9x() const { return platform_id == kPlatformWindows; }
    bool IsNt() const { return platform_id == kPlatformNt; }
    // Windows XP exactly: NT 5.1.
    bool IsWinXP() const { return IsNt() && major == 5 && minor == 1; }
};

}  // namespace orvella
