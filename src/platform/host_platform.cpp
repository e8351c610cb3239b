#include "platform/host_platform.h"

#include "platform/files.h"
#include "platform/hive_registry.h"
#include "platform/profile_file.h"

namespace orvella {
namespace {

Status EnsureSystemIni(const std::string& windows_dir) {
    ProfileFile system_ini(windows_dir + "/system.ini");
    if (system_ini.HasSection("boot"))
        return Status::Ok();
    return system_ini.Update([](ProfileDocument& document) {
        if (!document.HasSection("boot"))
            document.SetValue("boot", "shell", "Explorer.exe");
    });
}

}  // namespace

Result<Platform> CreateHostPlatform(const Environment& environment,
                                    const std::string& executable_path, HostHooks hooks) {
    Platform platform;
    platform.paths = ResolvePaths(environment, executable_path);

    if (std::optional<std::string> name = environment.Get("ORVELLA_WINVER")) {
        if (std::optional<WindowsVersion> version = WindowsVersion::FromName(*name)) {
            platform.version = *version;
        } else {
            platform.warnings.push_back("ORVELLA_WINVER=" + *name +
                                        " is not one of 95, 98, me, nt4, 2000, xp, vista; "
                                        "using xp");
        }
    }

    std::optional<ScreenSize> fixed_screen;
    if (std::optional<std::string> text = environment.Get("ORVELLA_SCREEN")) {
        fixed_screen = ParseScreenSize(*text);
        if (!fixed_screen) {
            platform.warnings.push_back("ORVELLA_SCREEN=" + *text +
                                        " is not WIDTHxHEIGHT; using the real screen");
        }
    }
    std::optional<std::int64_t> fixed_time;
    if (std::optional<std::string> text = environment.Get("ORVELLA_TIME")) {
        fixed_time = ParseUnixSeconds(*text);
        if (!fixed_time) {
            platform.warnings.push_back("ORVELLA_TIME=" + *text +
                                        " is not a number of seconds; using the system clock");
        }
    }

    if (Status status = EnsureDirectory(platform.paths.program_dir); !status)
        return status;
    if (Status status = EnsureDirectory(platform.paths.windows_dir); !status)
        return status;
    if (platform.version.IsWin9x()) {
        if (Status status = EnsureSystemIni(platform.paths.windows_dir); !status)
            return status;
    }

    platform.registry = std::make_unique<HiveRegistry>(platform.paths.registry_file);
    platform.clock = std::make_unique<HostClock>(fixed_time);
    platform.screen = std::make_unique<HostScreen>(fixed_screen, std::move(hooks.screen_query));
    platform.desktop_colours =
        std::make_unique<RegistryDesktopColours>(*platform.registry, std::move(hooks.apply_colour));
    platform.drives = std::make_unique<HostDrives>();
    return platform;
}

}  // namespace orvella
