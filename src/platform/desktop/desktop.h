#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/backends/wallpaper_backend.h"
#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/page_renderer.h"
#include "platform/desktop/screen_saver_probe.h"
#include "platform/registry/registry.h"
#include "platform/status.h"

namespace orvella {

// The Windows desktop the program talks to: SystemParametersInfoA, SHGetSettings and the
// shell's Active Desktop object.
class Desktop {
public:
    virtual ~Desktop() = default;
    // SPI_GETSCREENSAVERRUNNING.
    virtual bool IsScreenSaverRunning() const = 0;
    // SHGetSettings(SSF_DESKTOPHTML).fDesktopHTML.
    virtual bool IsDesktopHtml() const = 0;
    // SetDesktopItemOptions(components on, Active Desktop on), ApplyChanges(AD_APPLY_REFRESH).
    virtual Status EnableActiveDesktop() = 0;
    // SetWallpaperOptions (when a style is given), SetWallpaper, ApplyChanges(7).
    virtual Status SetActiveDesktopWallpaper(const std::string& file,
                                             std::optional<WallpaperStyle> style) = 0;
    // SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, file, SPIF_UPDATEINIFILE): the style is
    // whatever "Control Panel\Desktop" says at that moment.
    virtual Status SetDeskWallpaper(const std::string& file) = 0;
    // SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, null, SPIF_UPDATEINIFILE).
    virtual Status SetScreenSaveActive(bool on) = 0;
    // What Windows does after SetSysColors(COLOR_BACKGROUND): the wallpaper on show is
    // shown again with the new colour around it.
    virtual Status ShowBackgroundColour() = 0;
    // Where the host desktop takes frames of a moving wallpaper; null where it shows stills.
    virtual LiveWallpaper* Live() { return nullptr; }
    // The plain pictures the next changes come from, for the monitors in their order (see
    // WallpaperChange::monitor_pictures); empty: each change shows what it sets everywhere.
    // A desktop of one screen, as Windows had, has no use for them.
    virtual void SetMonitorPictures(std::vector<std::string> /*pictures*/) {}
    // How many monitors could show a picture of their own now: 1 where there is one, or
    // where the host desktop cannot give each its own.
    virtual int MonitorCount() const { return 1; }
};

// Registry places of the desktop state, where Windows keeps them.
inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";
inline constexpr std::string_view kActiveDesktopGeneralKey =
    "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
// The on/off state of the Active Desktop (SHGetSettings keeps it in a binary shell
// state; one DWORD of our own says the same and can be read by hand).
inline constexpr std::string_view kExplorerKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr std::string_view kActiveDesktopValue = "ActiveDesktop";

// How the desktop reads its registry values: TileWallpaper "1" tiles; otherwise
// WallpaperStyle "2" stretches and anything else centres (Windows' defaults are "0", "0").
WallpaperStyle StyleFromDesktopValues(std::optional<std::string> tile_wallpaper,
                                      std::optional<std::string> wallpaper_style);

// The desktop on Linux: the Windows state lives in the registry file, as on Windows, and every
// change is handed to the host desktop's backend. A page goes through `pages` first.
class HostDesktop : public Desktop {
public:
    struct Parts {
        std::unique_ptr<WallpaperBackend> backend;
        std::unique_ptr<ScreenSaverProbe> screen_saver;
        std::unique_ptr<PageRenderer> pages;
    };
    HostDesktop(Registry& registry, const DesktopColours& colours, Parts parts);

    bool IsScreenSaverRunning() const override;
    bool IsDesktopHtml() const override;
    Status EnableActiveDesktop() override;
    Status SetActiveDesktopWallpaper(const std::string& file,
                                     std::optional<WallpaperStyle> style) override;
    Status SetDeskWallpaper(const std::string& file) override;
    Status SetScreenSaveActive(bool on) override;
    Status ShowBackgroundColour() override;
    LiveWallpaper* Live() override { return parts_.backend->Live(); }
    void SetMonitorPictures(std::vector<std::string> pictures) override {
        monitor_pictures_ = std::move(pictures);
    }
    int MonitorCount() const override;

private:
    Status Hand(WallpaperRoute route, const std::string& file, WallpaperStyle style);

    Registry& registry_;
    const DesktopColours& colours_;
    Parts parts_;
    // What the host was last given in this run, to show again in a new colour.
    std::optional<WallpaperChange> last_shown_;
    std::vector<std::string> monitor_pictures_;
};

}  // namespace orvella
