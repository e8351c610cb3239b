#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/desktop_windows.h"
#include "platform/desktop/page_renderer.h"
#include "platform/desktop/picture_pixels.h"
#include "platform/desktop/screen.h"
#include "platform/registry/registry.h"
#include "platform/status.h"
#include "platform/system/clock.h"
#include "platform/system/drives.h"
#include "platform/system/environment.h"
#include "platform/system/windows_version.h"

namespace orvella {

// The system services the program takes from its host, chosen in one place. The program
// builds one at start and hands the parts to whoever needs them; tests build their own
// with an environment that points every file into a temporary folder.
struct Platform {
    ProgramPaths paths;
    WindowsVersion version;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<DesktopColours> desktop_colours;
    std::unique_ptr<Drives> drives;
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<DesktopWindows> desktop_windows;
    // Settings in the environment that could not be understood; the program reports them
    // and goes on with the defaults.
    std::vector<std::string> warnings;
};

// What a page renderer may draw from; the parts outlive the renderer.
struct PageRendererSources {
    Registry& registry;
    const Clock& clock;
    const Screen& screen;
    std::string program_dir;
};

struct HostHooks {
    HostScreen::Query screen_query;               // the GUI's primary screen
    RegistryDesktopColours::Apply apply_colour;   // null: the desktop shows the colour again
    std::unique_ptr<PageRenderer> page_renderer;  // null: pages are handed on as they are
    // Wins over `page_renderer`: a renderer that needs the platform's own registry, clock or
    // screen, which exist only once the platform is being made.
    std::function<std::unique_ptr<PageRenderer>(const PageRendererSources&)> make_page_renderer;
};

// Reads ORVELLA_PROGRAM_DIR, ORVELLA_WINDOWS_DIR, ORVELLA_REGISTRY, ORVELLA_WINVER,
// ORVELLA_SCREEN, ORVELLA_TIME, ORVELLA_DESKTOP (the wallpaper backend, default auto) and
// ORVELLA_SCREENSAVER ("running" or "stopped" instead of asking the session); creates the program
// and Windows folders when missing and, on the 95/98/Me family, a "system.ini" with a [boot]
// section. Fails when a folder cannot be created. `picture_loader` turns picture files into
// the pixels a desktop without a wallpaper service of its own is given.
Result<Platform> CreateHostPlatform(const Environment& environment,
                                    const std::string& executable_path,
                                    std::shared_ptr<const PictureLoader> picture_loader,
                                    HostHooks hooks = {});

}  // namespace orvella
