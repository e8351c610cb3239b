#pragma once

#include <QApplication>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/desktop_control_host.h"
#include "gui/interface_language.h"
#include "gui/picker_dialogs.h"
#include "gui/qt_change_sound.h"
#include "gui/qt_file_chooser.h"
#include "gui/qt_prompter.h"
#include "gui/wallpaper_wiring.h"
#include "platform/host_platform.h"
#include "platform/system/desktop_shell.h"
#include "platform/system/environment.h"
#include "platform/system/termination_signals.h"
#include "shell/message_catalogue.h"
#include "shell/startup_sequence.h"
#include "wallpaper/calendar_wallpaper.h"
#include "wallpaper/desktop_problem_notice.h"

class QSocketNotifier;

namespace orvella {

class TAddKatForm;
class TInfoBox;
class TOptions;
class TOrvel;
class TPreviewForm;

// The program: its parts made in their order, the start-up, and the event loop.
class OrvellaApplication {
public:
    OrvellaApplication(int& argc, char** argv);
    ~OrvellaApplication();

    // Runs the start-up for the command line and then, unless it ended the program, the
    // event loop; the program's exit code.
    int Run();

private:
    // Message boxes and file dialogs, or their scripted stand-ins for a run without a user.
    void ChooseDialogs();
    bool MakePlatform();
    // The language module, before any window exists: the windows take their texts from it
    // as they are made, and the catalogue shows its messages.
    void InstallLanguage();
    void MakeWallpaperEngine();
    // The main window, then the options dialog, the category dialog and the preview window.
    StartupOutcome CreateWindows();
    // The information box as splash. A normal start waits for it (its timer or a click); a
    // run that ends by itself goes on while it shows, and it closes when that run ends.
    void ShowSplash();
    void CreateDialogs(StartupOutcome outcome);
    // What a start that keeps running does once the windows exist.
    void StartRunning();
    // Runs `close`, which closes the windows at the program's end.
    void CloseWindows(const std::function<void()>& close);
    // A log-out or a kill ends the program the way closing its window does, once the window
    // can save: one that arrived during the start-up is waiting in `termination_`.
    void DeliverTerminationSignals();

    // Watched before anything else, so that no signal of the start-up ends the program
    // without its closing save.
    std::unique_ptr<TerminationSignals> termination_;
    QApplication application_;
    std::vector<std::string> arguments_;
    const ProcessEnvironment environment_;
    QtPrompter qt_prompter_;
    std::unique_ptr<Prompter> scripted_prompter_;
    Prompter* prompter_ = &qt_prompter_;
    QtFileChooser qt_files_;
    CancellingFileChooser no_files_;
    FileChooser* files_ = &qt_files_;
    HostDesktopShell desktop_shell_;
    QtPickerDialogs qt_pickers_;
    CancellingPickerDialogs no_pickers_;
    PickerDialogs* pickers_ = &qt_pickers_;

    DesktopControlHost desktop_control_;
    std::optional<Platform> platform_;
    InterfaceLanguage language_;
    MessageCatalogue catalogue_;
    SettingsFromSource wallpaper_settings_;
    QtChangeSound change_sound_;
    std::unique_ptr<DesktopProblemNotice> desktop_problems_;
    std::unique_ptr<TCalendarWallpaper> calendar_;
    std::unique_ptr<TWallpaperEngine> engine_;
    std::unique_ptr<TIconTransparency> icons_;
    std::unique_ptr<EngineCommands> wallpaper_;

    std::unique_ptr<TInfoBox> splash_;
    std::unique_ptr<TOrvel> main_window_;
    QtScheduler scheduler_;
    std::unique_ptr<TTimedChange> timed_change_;
    std::unique_ptr<WallpaperTimers> timers_;
    std::unique_ptr<TOptions> options_dialog_;
    std::unique_ptr<TAddKatForm> category_dialog_;
    std::unique_ptr<TPreviewForm> preview_;

    std::unique_ptr<QSocketNotifier> signal_notifier_;
};

}  // namespace orvella
