#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <iostream>
#include <set>

#include "codecs/codec_picture_loader.h"
#include "gui/desktop_control_host.h"
#include "gui/interface_language.h"
#include "gui/picker_dialogs.h"
#include "gui/qt_change_sound.h"
#include "gui/qt_file_chooser.h"
#include "gui/qt_page_renderer.h"
#include "gui/qt_prompter.h"
#include "gui/shipped_files.h"
#include "gui/taddkatform.h"
#include "gui/tinfobox.h"
#include "gui/toptions.h"
#include "gui/torvel.h"
#include "gui/tpreviewform.h"
#include "gui/wallpaper_wiring.h"
#include "platform/host_platform.h"
#include "platform/termination_signals.h"
#include "shell/message_catalogue.h"
#include "shell/non_interactive_prompter.h"
#include "shell/prompter.h"
#include "wallpaper/calendar_wallpaper.h"

namespace {

std::optional<orvella::ScreenSize> PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const QSize size = screen->size() * screen->devicePixelRatio();
    return orvella::ScreenSize{size.width(), size.height()};
}

void ShowInfoBox(bool as_splash) {
    orvella::TInfoBox box;
    if (as_splash)
        box.Timer().start();
    box.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvella");
    QApplication::setApplicationDisplayName("Orvella");
    orvella::InitGuiResources();
    // The program ends when its main window closes, not when its last visible window does:
    // in the tray there is none.
    QApplication::setQuitOnLastWindowClosed(false);

    const orvella::ProcessEnvironment environment;
    orvella::QtPrompter qt_prompter;
    std::unique_ptr<orvella::Prompter> scripted = orvella::MakeNonInteractivePrompter(
        environment.Get("ORVELLA_NONINTERACTIVE").value_or(""), std::cerr);
    orvella::Prompter& prompter = scripted ? *scripted : qt_prompter;
    orvella::QtFileChooser qt_files;
    orvella::CancellingFileChooser no_files;
    orvella::FileChooser& files =
        scripted ? static_cast<orvella::FileChooser&>(no_files) : qt_files;
    orvella::QtPickerDialogs qt_pickers;
    orvella::CancellingPickerDialogs no_pickers;
    orvella::PickerDialogs& pickers =
        scripted ? static_cast<orvella::PickerDialogs&>(no_pickers) : qt_pickers;

    orvella::HostHooks hooks;
    hooks.screen_query = PrimaryScreenSize;
    hooks.picture_loader = std::make_shared<orvella::CodecPictureLoader>();
    // Our calendar and starfield pages are drawn by our desktop control; a page of the
    // user's own reaches the desktop as a picture beside the program.
    orvella::DesktopControlHost desktop_control;
    hooks.make_page_renderer = desktop_control.RendererMaker([&environment] {
        return std::make_unique<orvella::QtPageRenderer>(
            orvella::ResolvePaths(environment, orvella::ExecutablePath()).program_dir +
                "OrvellaPage.png",
            [] {
                const std::optional<orvella::ScreenSize> size = PrimaryScreenSize();
                return size ? QSize(size->width, size->height) : QSize();
            });
    });
    orvella::Result<orvella::Platform> platform =
        orvella::CreateHostPlatform(environment, orvella::ExecutablePath(), std::move(hooks));
    if (!platform) {
        prompter.ShowMessage(platform.message(), "Orvella", orvella::MessageStyle::Error);
        return 1;
    }
    for (const std::string& warning : platform->warnings)
        std::cerr << "orvella: " << warning << '\n';
    for (const std::string& problem : orvella::EnsureShippedFiles(platform->paths.program_dir))
        std::cerr << "orvella: " << problem << '\n';

    // Before any window exists: the windows take their texts from the module as they are made.
    const orvella::InterfaceLanguage language = orvella::InterfaceLanguage::Install(
        environment, *platform->registry, orvella::ExecutablePath(), std::cerr);
    const orvella::MessageCatalogue catalogue = language.Catalogue();
    orvella::SettingsFromSource wallpaper_settings;
    orvella::QtChangeSound change_sound;
    orvella::TCalendarWallpaper calendar(*platform);
    // A desktop that refuses the wallpaper (no session bus, a tool missing) is told to the
    // user once per reason, not at every timed change.
    std::set<std::string> desktop_problems_told;
    const auto tell_desktop_problem = [&](const orvella::Status& status) {
        if (status.ok())
            return;
        orvella::TWallpaperEngine::WarnOnStandardError(status);
        if (desktop_problems_told.insert(status.message()).second)
            prompter.ShowMessage(status.message(), catalogue.Text(orvella::kSError),
                                 orvella::MessageStyle::Warning);
    };
    orvella::TWallpaperEngine engine(*platform, catalogue, prompter, wallpaper_settings,
                                     change_sound, calendar, tell_desktop_problem);
    orvella::TIconTransparency icons(*platform->desktop_windows, wallpaper_settings);
    orvella::EngineCommands wallpaper(engine, icons, prompter, catalogue);
    orvella::TOrvelServices services{
        .platform = *platform,
        .environment = environment,
        .catalogue = catalogue,
        .prompter = prompter,
        .wallpaper = wallpaper,
        .files = files,
        .active_desktop = wallpaper,
        .show_splash = [] { ShowInfoBox(true); },
        .show_info = [] { ShowInfoBox(false); },
        .tray_available = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .language = language.Code(),
    };
    orvella::TOrvel main_window(services);
    qt_prompter.SetOwner(&main_window);
    qt_files.SetOwner(&main_window);
    qt_pickers.SetOwner(&main_window);
    wallpaper_settings.SetSource([&main_window] { return main_window.WallpaperSettingsNow(); });

    std::vector<std::string> arguments(argv + 1, argv + argc);
    const orvella::StartupOutcome outcome = main_window.FormCreate(arguments);
    // The windows after the main one, in their order; the main window's creation ran
    // completely before them.
    // The timers of the automatic change and of the transparency check run as the options
    // stored them.
    orvella::QtScheduler scheduler;
    orvella::TTimedChange timed_change(engine, icons, scheduler);
    orvella::WallpaperTimers timers(timed_change, icons, wallpaper,
                                    [&main_window] { return &main_window.store(); });
    // Creating the options dialog restores its settings, which starts the timers of the
    // automatic change and of the transparency check as they were stored.
    std::unique_ptr<orvella::TOptions> options_dialog;
    if (outcome != orvella::StartupOutcome::EndWithoutWindow) {
        options_dialog = std::make_unique<orvella::TOptions>(
            orvella::TOptionsServices{
                .platform = *platform,
                .main_window = main_window,
                .timers = timers,
                .catalogue = catalogue,
                .prompter = prompter,
                .files = files,
                .pickers = pickers,
                .sound = change_sound,
            },
            &main_window);
        main_window.SetOptionsDialog(options_dialog.get());
    }
    if (outcome == orvella::StartupOutcome::EndAfterStartup)
        timers.Apply({});  // ending at once: no timed change
    orvella::TAddKatForm category_dialog(catalogue, prompter, files, &main_window);
    main_window.SetCategoryDialog(&category_dialog);
    orvella::TPreviewForm preview(
        orvella::TPreviewServices{
            .catalogue = catalogue,
            .prompter = prompter,
            .screen = *platform->screen,
            .program_dir = platform->paths.program_dir,
            .form_file = platform->paths.program_dir + "ovl.dat",
        },
        &main_window);
    main_window.SetPreviewForm(&preview);

    switch (outcome) {
        case orvella::StartupOutcome::EndWithoutWindow:
            return 0;
        case orvella::StartupOutcome::EndAfterStartup:
            main_window.EndProgram();
            return 0;
        case orvella::StartupOutcome::KeepRunning:
            break;
    }
    main_window.ShowAfterStartup();
    desktop_control.Start(*platform, engine.CalendarPagePath(), tell_desktop_problem);
    // The calendar's colours and font are read at each drawing; confirmed options show at once.
    if (options_dialog)
        QObject::connect(options_dialog.get(), &QDialog::accepted,
                         [&] { tell_desktop_problem(desktop_control.RedrawCalendar()); });

    // A log-out or a kill ends the program the way closing its window does, with the
    // categories and the window state saved.
    orvella::Result<std::unique_ptr<orvella::TerminationSignals>> termination =
        orvella::TerminationSignals::Install();
    std::unique_ptr<QSocketNotifier> signal_notifier;
    if (termination) {
        signal_notifier =
            std::make_unique<QSocketNotifier>((*termination)->fd(), QSocketNotifier::Read);
        QObject::connect(signal_notifier.get(), &QSocketNotifier::activated, [&] {
            (*termination)->Take();
            main_window.close();
        });
    } else {
        std::cerr << "orvella: " << termination.message() << '\n';
    }
    return QApplication::exec();
}
