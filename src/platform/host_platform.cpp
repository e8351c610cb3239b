#include "platform/host_platform.h"

#include "platform/desktop/backends/backend_selection.h"
#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "platform/text.h"

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

std::unique_ptr<ScreenSaverProbe> ChooseScreenSaverProbe(const Environment& environment,
                                                         std::vector<std::string>& warnings) {
    if (std::optional<std::string> text = environment.Get("ORVELLA_SCREENSAVER")) {
        if (EqualsIgnoreCase(*text, "running"))
            return std::make_unique<FixedScreenSaverProbe>(true);
        if (EqualsIgnoreCase(*text, "stopped"))
            return std::make_unique<FixedScreenSaverProbe>(false);
        warnings.push_back("ORVELLA_SCREENSAVER=" + *text +
                           " is not running or stopped; asking the session");
    }
    return std::make_unique<HostScreenSaverProbe>(environment);
}

std::unique_ptr<WallpaperBackend> ChooseBackend(const Environment& environment,
                                                const ProgramPaths& paths,
                                                std::shared_ptr<const PictureLoader> loader,
                                                std::vector<std::string>& warnings) {
    BackendSetup setup;
    setup.picture_loader = std::move(loader);
    const std::optional<std::string> runtime_dir = environment.Get("XDG_RUNTIME_DIR");
    setup.state_dir = runtime_dir ? *runtime_dir + "/" : paths.program_dir;
    const std::string name = environment.Get("ORVELLA_DESKTOP").value_or("auto");
    Result<std::unique_ptr<WallpaperBackend>> backend =
        CreateWallpaperBackend(name, environment, setup);
    if (backend)
        return std::move(backend).value();
    warnings.push_back(backend.message() + "; the wallpaper is not handed to the desktop");
    return std::make_unique<NoWallpaperBackend>();
}

// The screen size and time that ORVELLA_SCREEN and ORVELLA_TIME fix for tests and scripts.
struct FixedValues {
    std::optional<ScreenSize> screen;
    std::optional<std::int64_t> time;
};

// ORVELLA_WINVER, ORVELLA_SCREEN and ORVELLA_TIME; a value that cannot be understood is
// reported in the warnings and the default is kept.
FixedValues ReadOverrides(const Environment& environment, Platform& platform) {
    if (std::optional<std::string> name = environment.Get("ORVELLA_WINVER")) {
        if (std::optional<WindowsVersion> version = WindowsVersion::FromName(*name)) {
            platform.version = *version;
        } else {
            platform.warnings.push_back("ORVELLA_WINVER=" + *name +
                                        " is not one of 95, 98, me, nt4, 2000, xp, vista; "
                                        "using xp");
        }
    }
    FixedValues fixed;
    if (std::optional<std::string> text = environment.Get("ORVELLA_SCREEN")) {
        fixed.screen = ParseScreenSize(*text);
        if (!fixed.screen) {
            platform.warnings.push_back("ORVELLA_SCREEN=" + *text +
                                        " is not WIDTHxHEIGHT; using the real screen");
        }
    }
    if (std::optional<std::string> text = environment.Get("ORVELLA_TIME")) {
        fixed.time = ParseUnixSeconds(*text);
        if (!fixed.time) {
            platform.warnings.push_back("ORVELLA_TIME=" + *text +
                                        " is not a number of seconds; using the system clock");
        }
    }
    return fixed;
}

Status PrepareFolders(const Platform& platform) {
    if (Status status = EnsureDirectory(platform.paths.program_dir); !status)
        return status;
    if (Status status = EnsureDirectory(platform.paths.windows_dir); !status)
        return status;
    if (platform.version.IsWin9x())
        return EnsureSystemIni(platform.paths.windows_dir);
    return Status::Ok();
}

// The desktop colours and the desktop, which shows the colour again when the hooks give no
// other way to apply it.
void MakeDesktop(const Environment& environment, std::shared_ptr<const PictureLoader> loader,
                 HostHooks& hooks, Platform& platform) {
    const bool colour_to_desktop = !hooks.apply_colour;
    auto colours =
        std::make_unique<RegistryDesktopColours>(*platform.registry, std::move(hooks.apply_colour));
    RegistryDesktopColours& desktop_colours = *colours;
    platform.desktop_colours = std::move(colours);
    HostDesktop::Parts desktop_parts;
    desktop_parts.backend =
        ChooseBackend(environment, platform.paths, std::move(loader), platform.warnings);
    desktop_parts.screen_saver = ChooseScreenSaverProbe(environment, platform.warnings);
    desktop_parts.pages = std::move(hooks.page_renderer);
    if (hooks.make_page_renderer) {
        desktop_parts.pages = hooks.make_page_renderer(PageRendererSources{
            *platform.registry, *platform.clock, *platform.screen, platform.paths.program_dir});
    }
    platform.desktop = std::make_unique<HostDesktop>(*platform.registry, *platform.desktop_colours,
                                                     std::move(desktop_parts));
    if (colour_to_desktop) {
        desktop_colours.SetApply([desktop = platform.desktop.get()](ColorRef) {
            return desktop->ShowBackgroundColour();
        });
    }
}

}  // namespace

Result<Platform> CreateHostPlatform(const Environment& environment,
                                    const std::string& executable_path,
                                    std::shared_ptr<const PictureLoader> picture_loader,
                                    HostHooks hooks) {
    Platform platform;
    platform.paths = ResolvePaths(environment, executable_path);
    const FixedValues fixed = ReadOverrides(environment, platform);
    if (Status status = PrepareFolders(platform); !status)
        return status;

    platform.registry = std::make_unique<RegistryFile>(platform.paths.registry_file);
    platform.clock = std::make_unique<HostClock>(fixed.time);
    platform.screen = std::make_unique<HostScreen>(fixed.screen, std::move(hooks.screen_query));
    platform.drives = std::make_unique<HostDrives>();
    MakeDesktop(environment, std::move(picture_loader), hooks, platform);
    platform.desktop_windows = std::make_unique<HostDesktopWindows>();
    return platform;
}

}  // namespace orvella
