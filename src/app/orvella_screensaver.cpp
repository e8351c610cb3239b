// The screen saver "Orvella.scr" stands for: the pictures "Ovlscr.ini" names, in turn, on
// its background colour. Alone it runs full-screen and ends at a key or a mouse movement;
// as an xscreensaver display mode it draws into the root window (-root) or the window
// xscreensaver gives it (-window-id ID) until xscreensaver ends it.
#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <iostream>

#include "app/x11_window_background.h"
#include "codecs/large_blocks.h"
#include "gui/tscreensaverform.h"
#include "platform/system/environment.h"
#include "platform/system/termination_signals.h"
#include "settings/screen_saver.h"
#include "settings/screen_saver_arguments.h"
#include "settings/screen_saver_show.h"
#include "tools/slide_list.h"

namespace {

using orvella::ScreenSaverShow;
using orvella::TScreenSaverForm;

void Tell(const std::string& text) {
    std::cerr << "orvella-screensaver: " << text << '\n';
}

// The pictures to show; whatever is passed over is told.
std::vector<std::string> ShownPictures(const ScreenSaverShow& show) {
    for (const std::string& problem : show.problems)
        Tell(problem);
    orvella::SlideList list = orvella::BuildSlideList(show.pictures);
    for (const orvella::SlideList::PassedOver& passed : list.passed_over)
        Tell(passed.path + (passed.reason == orvella::SlideList::PassedOver::Reason::Missing
                                ? ": no such file; passed over"
                                : ": GIF pictures and pages are not shown; passed over"));
    return std::move(list.paths);
}

orvella::PicturePixels PixelsOf(const QImage& frame) {
    const QImage image = frame.convertToFormat(QImage::Format_RGB32);
    orvella::PicturePixels pixels{image.width(), image.height(), {}};
    pixels.rgb.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            pixels.rgb.push_back(row[x] & 0xFFFFFF);
    }
    return pixels;
}

TScreenSaverForm::Settings FormSettings(const ScreenSaverShow& show, QSize size, qreal ratio,
                                        bool ends_on_input) {
    return {.interval = orvella::SlideIntervalFromMs(show.time_ms),
            .colour = show.colour,
            .screen = {size, ratio},
            .ends_on_input = ends_on_input};
}

int RunFullScreen(std::vector<std::string> pictures, const ScreenSaverShow& show) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    TScreenSaverForm form(std::move(pictures),
                          FormSettings(show, screen->size(), screen->devicePixelRatio(), true));
    form.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    QObject::connect(&form, &TScreenSaverForm::Ended, qApp, &QCoreApplication::quit);
    form.showFullScreen();
    return QApplication::exec();
}

// The window is painted off screen and handed to the X server as the other window's
// background at every new picture.
int RunInWindow(std::vector<std::string> pictures, const ScreenSaverShow& show,
                std::uint64_t window) {
    orvella::Result<std::unique_ptr<orvella::X11WindowBackground>> target =
        orvella::X11WindowBackground::Open(window);
    if (!target) {
        Tell(target.message());
        return 1;
    }
    orvella::X11WindowBackground& background = **target;
    const QSize size(background.width(), background.height());
    TScreenSaverForm form(std::move(pictures), FormSettings(show, size, 1, false));
    form.resize(size);
    const auto paint = [&] {
        const orvella::Status shown = background.Show(PixelsOf(form.grab().toImage()));
        if (!shown)
            Tell(shown.message());
    };
    QObject::connect(&form, &TScreenSaverForm::SlideShown, paint);
    paint();
    return QApplication::exec();
}

// xscreensaver ends its modes with SIGTERM: the loop ends, so the root gets its wallpaper
// back.
std::unique_ptr<QSocketNotifier> QuitOnTermination(orvella::TerminationSignals* termination) {
    if (termination == nullptr)
        return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(termination->fd(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [termination] {
        termination->Take();
        QCoreApplication::quit();
    });
    return notifier;
}

}  // namespace

int main(int argc, char* argv[]) {
    orvella::ReturnLargeBlocksToTheSystem();
    QApplication application(argc, argv);
    QStringList given = QCoreApplication::arguments();
    given.removeFirst();
    std::vector<std::string> arguments;
    for (const QString& argument : given)
        arguments.push_back(argument.toStdString());
    const orvella::Result<orvella::ScreenSaverTarget> target =
        orvella::ParseScreenSaverArguments(arguments);
    if (!target) {
        Tell(target.message());
        return 2;
    }
    orvella::Result<std::unique_ptr<orvella::TerminationSignals>> termination =
        orvella::TerminationSignals::Install();
    if (!termination)
        Tell(termination.message());
    const std::unique_ptr<QSocketNotifier> notifier =
        QuitOnTermination(termination ? termination->get() : nullptr);

    const orvella::ProcessEnvironment environment;
    const std::string windows_dir =
        orvella::ResolvePaths(environment, orvella::ExecutablePath()).windows_dir;
    const ScreenSaverShow show =
        orvella::ReadScreenSaverShow(orvella::ScreenSaverSettingsFile(windows_dir));
    std::vector<std::string> pictures = ShownPictures(show);
    if (target->kind == orvella::ScreenSaverTarget::Kind::FullScreen)
        return RunFullScreen(std::move(pictures), show);
    return RunInWindow(std::move(pictures), show, target->window_id);
}
