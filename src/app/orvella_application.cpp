#include "app/orvella_application.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <iostream>

#include "codecs/codec_picture_loader.h"
#include "gui/qt_page_renderer.h"
#include "gui/shipped_files.h"
#include "gui/taddkatform.h"
#include "gui/tinfobox.h"
#include "gui/toptions.h"
#include "gui/torvel.h"
#include "gui/tpreviewform.h"
#include "settings/profile_target.h"
#include "settings/settings_places.h"
#include "shell/non_interactive_prompter.h"

namespace orvella {
namespace {

std::unique_ptr<TerminationSignals> WatchTerminationSignals() {
    Result<std::unique_ptr<TerminationSignals>> termination = TerminationSignals::Install();
    if (!termination) {
        std::cerr << "orvella: " << termination.message() << '\n';
        return nullptr;
    }
    return std::move(*termination);
}

std::optional<ScreenSize> PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const QSize size = screen->size() * screen->devicePixelRatio();
    return ScreenSize{size.width(), size.height()};
}

void ShowInfoBox(bool as_splash) {
    TInfoBox box;
    if (as_splash)
        box.Timer().start();
    box.exec();
}

}  // namespace

OrvellaApplication::OrvellaApplication(int& argc, char** argv)
    : termination_(WatchTerminationSignals()),
      application_(argc, argv),
      arguments_(argv + 1, argv + argc) {
    QApplication::setApplicationName("Orvella");
    QApplication::setApplicationDisplayName("Orvella");
    InitGuiResources();
    // The program ends when its main window closes, not when its last visible window does:
    // in the tray there is none.
    QApplication::setQuitOnLastWindowClosed(false);
}

OrvellaApplication::~OrvellaApplication() = default;

int OrvellaApplication::Run() {
    ChooseDialogs();
    if (!MakePlatform())
        return 1;
    InstallLanguage();
    MakeWallpaperEngine();
    switch (CreateWindows()) {
        case StartupOutcome::EndWithoutWindow:
            return 0;
        case StartupOutcome::EndAfterStartup:
            CloseWindows([this] { main_window_->EndProgram(); });
            return 0;
        case StartupOutcome::KeepRunning:
            break;
    }
    StartRunning();
    DeliverTerminationSignals();
    return QApplication::exec();
}

void OrvellaApplication::CloseWindows(const std::function<void()>& close) {
    // The windows that close together write their settings file once.
    DeferredProfileWrites settings_writes;
    close();
    if (const Status written = settings_writes.Finish(); !written)
        prompter_->ShowMessage(written.message(), "Orvella", MessageStyle::Error);
}

void OrvellaApplication::ChooseDialogs() {
    scripted_prompter_ = MakeNonInteractivePrompter(
        environment_.Get("ORVELLA_NONINTERACTIVE").value_or(""), std::cerr);
    if (scripted_prompter_) {
        prompter_ = scripted_prompter_.get();
        files_ = &no_files_;
        pickers_ = &no_pickers_;
    }
}

bool OrvellaApplication::MakePlatform() {
    HostHooks hooks;
    hooks.screen_query = PrimaryScreenSize;
    // Our calendar and starfield pages are drawn by our desktop control; a page of the
    // user's own reaches the desktop as a picture beside the program.
    hooks.make_page_renderer = desktop_control_.RendererMaker([this] {
        return std::make_unique<QtPageRenderer>(
            ResolvePaths(environment_, ExecutablePath()).program_dir + "OrvellaPage.png", [] {
                const std::optional<ScreenSize> size = PrimaryScreenSize();
                return size ? QSize(size->width, size->height) : QSize();
            });
    });
    Result<Platform> platform = CreateHostPlatform(
        environment_, ExecutablePath(), std::make_shared<CodecPictureLoader>(), std::move(hooks));
    if (!platform) {
        prompter_->ShowMessage(platform.message(), "Orvella", MessageStyle::Error);
        return false;
    }
    platform_.emplace(std::move(*platform));
    for (const std::string& warning : platform_->warnings)
        std::cerr << "orvella: " << warning << '\n';
    for (const std::string& problem : EnsureShippedFiles(platform_->paths.program_dir))
        std::cerr << "orvella: " << problem << '\n';
    return true;
}

void OrvellaApplication::InstallLanguage() {
    language_ =
        InterfaceLanguage::Install(environment_, *platform_->registry, ExecutablePath(), std::cerr);
    catalogue_ = language_.Catalogue();
}

void OrvellaApplication::MakeWallpaperEngine() {
    desktop_problems_ = std::make_unique<DesktopProblemNotice>(*prompter_, catalogue_);
    calendar_ = std::make_unique<TCalendarWallpaper>(*platform_);
    engine_ = std::make_unique<TWallpaperEngine>(
        *platform_, catalogue_, *prompter_, wallpaper_settings_, change_sound_, *calendar_,
        [this](const Status& status) { desktop_problems_->Tell(status); });
    icons_ = std::make_unique<TIconTransparency>(*platform_->desktop_windows, wallpaper_settings_);
    wallpaper_ = std::make_unique<EngineCommands>(*engine_, *icons_, *prompter_, catalogue_);
}

StartupOutcome OrvellaApplication::CreateWindows() {
    main_window_ = std::make_unique<TOrvel>(TOrvelServices{
        .platform = *platform_,
        .environment = environment_,
        .catalogue = catalogue_,
        .prompter = *prompter_,
        .wallpaper = *wallpaper_,
        .files = *files_,
        .active_desktop = *wallpaper_,
        .shell = desktop_shell_,
        // A run without a user (scripts, CI) has nobody to greet: no splash at all.
        .show_splash = scripted_prompter_ ? std::function<void()>()
                                          : std::function<void()>([this] { ShowSplash(); }),
        .show_info = [] { ShowInfoBox(false); },
        .tray_available = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .language = language_.Code(),
    });
    qt_prompter_.SetOwner(main_window_.get());
    qt_files_.SetOwner(main_window_.get());
    qt_pickers_.SetOwner(main_window_.get());
    wallpaper_settings_.SetSource([this] { return main_window_->WallpaperSettingsNow(); });
    // The windows after the main one, in their order; the main window's creation ran
    // completely before them.
    const StartupOutcome outcome = main_window_->FormCreate(arguments_);
    CreateDialogs(outcome);
    return outcome;
}

void OrvellaApplication::ShowSplash() {
    if (!StartupSwitches::Parse(arguments_).close) {
        ShowInfoBox(true);
        return;
    }
    splash_ = std::make_unique<TInfoBox>();
    splash_->show();
    QCoreApplication::processEvents();  // drawn before the start-up's work holds the thread
}

void OrvellaApplication::CreateDialogs(StartupOutcome outcome) {
    TOrvel& main_window = *main_window_;
    timed_change_ = std::make_unique<TTimedChange>(*engine_, *icons_, scheduler_);
    timers_ = std::make_unique<WallpaperTimers>(*timed_change_, *icons_, *wallpaper_,
                                                [&main_window] { return &main_window.store(); });
    // Creating the options dialog restores its settings, which starts the timers of the
    // automatic change and of the transparency check as they were stored.
    if (outcome != StartupOutcome::EndWithoutWindow) {
        options_dialog_ = std::make_unique<TOptions>(
            TOptionsServices{
                .platform = *platform_,
                .main_window = main_window,
                .categories = main_window.store(),
                .timers = *timers_,
                .catalogue = catalogue_,
                .prompter = *prompter_,
                .files = *files_,
                .pickers = *pickers_,
                .sound = change_sound_,
            },
            &main_window);
        main_window.SetOptionsDialog(options_dialog_.get());
    }
    if (outcome == StartupOutcome::EndAfterStartup)
        timers_->Apply({});  // ending at once: no timed change
    category_dialog_ = std::make_unique<TAddKatForm>(catalogue_, *prompter_, *files_, &main_window);
    main_window.SetCategoryDialog(category_dialog_.get());
    preview_ = std::make_unique<TPreviewForm>(
        TPreviewServices{
            .catalogue = catalogue_,
            .prompter = *prompter_,
            .screen = *platform_->screen,
            .program_dir = platform_->paths.program_dir,
            .form_file = SettingsFilePath(platform_->paths.program_dir),
        },
        &main_window);
    main_window.SetPreviewForm(preview_.get());
}

void OrvellaApplication::StartRunning() {
    main_window_->ShowAfterStartup();
    const auto tell = [this](const Status& status) { desktop_problems_->Tell(status); };
    desktop_control_.Start(*platform_, engine_->CalendarPagePath(), tell);
    // The calendar's colours and font are read at each drawing; confirmed options show at once.
    if (options_dialog_)
        QObject::connect(options_dialog_.get(), &QDialog::accepted,
                         [this, tell] { tell(desktop_control_.RedrawCalendar()); });
}

void OrvellaApplication::DeliverTerminationSignals() {
    if (!termination_)
        return;
    // The categories and the window state are saved as when the window closes. A signal
    // that came before is readable already, so the notifier fires at the loop's first turn.
    signal_notifier_ = std::make_unique<QSocketNotifier>(termination_->fd(), QSocketNotifier::Read);
    QObject::connect(signal_notifier_.get(), &QSocketNotifier::activated, [this] {
        termination_->Take();
        CloseWindows([this] { main_window_->close(); });
    });
}

}  // namespace orvella
