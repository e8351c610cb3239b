#include "settings/options_commit.h"

#include "platform/desktop/desktop_colour.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "settings/screen_saver.h"
#include "settings/settings_table.h"
#include "settings/xdg_autostart.h"

namespace orvella {
namespace {

// Failures of several steps, told as one.
class Problems {
public:
    void Add(const Status& status) {
        if (status.ok())
            return;
        text_ += (text_.empty() ? "" : "\n") + status.message();
    }
    Status status() const { return text_.empty() ? Status::Ok() : Status::Error(text_); }

private:
    std::string text_;
};

// The Run key as Windows keeps it, and the entry the Linux desktop really starts. A Run
// key that cannot be opened is passed over, as on Windows.
Status WriteAutostart(const Options& options, const OptionsCommitServices& services) {
    const std::string run_key(kRunKey);
    const std::string value(kRunValue);
    if (!options.autostart) {
        if (std::optional<RegistryKey> run =
                RegistryKey::Open(services.registry, RegistryRoot::CurrentUser, run_key, false))
            run->DeleteValue(value);
        return RemoveAutostartEntry(services.autostart_file);
    }
    const bool change = options.autostart_changes_wallpaper;
    if (std::optional<RegistryKey> run =
            RegistryKey::Open(services.registry, RegistryRoot::CurrentUser, run_key, true))
        run->WriteString(value, AutostartCommand(services.program, change));
    return WriteAutostartEntry(
        services.autostart_file, services.program,
        change ? std::vector<std::string>{"-wall", "-min"} : std::vector<std::string>{"-min"});
}

// What the desktop control needs beside the store's entries.
void WriteCalendarValues(const Options& options, const OptionsCommitServices& services) {
    if (std::optional<RegistryKey> calendar = RegistryKey::Open(
            services.registry, RegistryRoot::CurrentUser, CalendarKeyPath(), true)) {
        calendar->WriteString(std::string(kWallpaperPathValue), services.program_dir);
        calendar->WriteString(std::string(kCenterImageValue), CenterImageText(options.wall_props));
    }
}

// Installs or removes the program's screen saver when the wish and the state differ; an
// installed one keeps its settings file as it is.
Status CommitScreenSaver(Options& after, MainWindowValues& values,
                         const std::optional<std::vector<std::string>>& pictures,
                         OptionsCommitServices& services) {
    if (after.screen_saver == after.screen_saver_installed)
        return Status::Ok();
    if (after.screen_saver && !pictures)
        return Status::Ok();  // no category chosen: the next OK tries again
    ScreenSaverState state{after.screen_saver_installed, values.old_scr_saver};
    Status written;
    if (after.screen_saver) {
        // Made first: the system is given the file's path only when it exists. Where the
        // screen saver program is not beside ours (a build tree), "Orvella.scr" stays as it is
        // rather than becoming a link to nothing.
        const std::string saver = ScreenSaverProgram(services.program);
        const Status linked =
            FileExists(saver) ? services.screen_saver.CreateLauncher(saver) : Status::Ok();
        written =
            InstallScreenSaver(services.screen_saver, state, *pictures, after.screen_saver_seconds,
                               static_cast<ColorRef>(after.screen_saver_back.color));
        if (written && !linked)
            written = linked;
    } else {
        UninstallScreenSaver(services.screen_saver, state);
    }
    values.old_scr_saver = state.old_scr_saver;
    after.screen_saver_installed = state.installed;
    return written;
}

}  // namespace

std::string AutostartCommand(const std::string& program, bool change_wallpaper) {
    return "\"" + program + "\"" + (change_wallpaper ? " -wall -min" : " -min");
}

Status CommitOptions(const Options& before, Options& after,
                     const std::optional<std::vector<std::string>>& screen_saver_pictures,
                     OptionsCommitServices& services) {
    Problems problems;
    problems.Add(WriteAutostart(after, services));
    WriteCalendarValues(after, services);

    MainWindowValues values = services.main_window.Values();
    values.sort_pictures = after.sort_pictures;
    values.calendar = after.calendar;
    values.wall_props = after.wall_props;
    values.picture_per_screen = after.picture_per_screen;
    if (after.desktop_colour != before.desktop_colour)
        problems.Add(services.desktop_colours.SetBackground(after.desktop_colour));
    const std::string& sound = after.change_sound;
    values.change_sound = !sound.empty() && FileExists(sound) ? sound : std::string();
    problems.Add(CommitScreenSaver(after, values, screen_saver_pictures, services));

    after.timers = TimerOptions{after.auto_change, std::int64_t{after.change_seconds} * 1000,
                                after.trans_check};
    services.timers.Apply(after.timers);
    // Kept at once, so what OK set (the remembered screen saver above all) survives a
    // program that does not get to close its window.
    problems.Add(services.main_window.SetValues(values));
    return problems.status();
}

}  // namespace orvella
