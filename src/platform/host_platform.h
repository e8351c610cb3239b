#pragma once

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/desktop_colour.h"
#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/status.h"
#include "platform/windows_version.h"

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
    // Settings in the environment that could not be understood; the program reports them
    // and goes on with the defaults.
    std::vector<std::string> warnings;
};

struct HostHooks {
    HostScreen::Query screen_query;              // the GUI's primary screen
    RegistryDesktopColours::Apply apply_colour;  // the host desktop's background colour
};

// Reads ORVELLA_PROGRAM_DIR, ORVELLA_WINDOWS_DIR, ORVELLA_REGISTRY, ORVELLA_WINVER,
// ORVELLA_SCREEN and ORVELLA_TIME; creates the program and Windows folders when missing
// and, on the 95/98/Me family, a "system.ini" with a [boot] section. Fails when a folder
// cannot be created.
Result<Platform> CreateHostPlatform(const Environment& environment,
                                    const std::string& executable_path, HostHooks hooks = {});

}  // namespace orvella
