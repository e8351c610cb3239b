#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <iostream>

#include "gui/qt_prompter.h"
#include "gui/torvel.h"
#include "platform/host_platform.h"
#include "shell/non_interactive_prompter.h"
#include "shell/prompter.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvella");

    const orvella::ProcessEnvironment environment;
    orvella::QtPrompter qt_prompter;
    std::unique_ptr<orvella::Prompter> scripted = orvella::MakeNonInteractivePrompter(
        environment.Get("ORVELLA_NONINTERACTIVE").value_or(""), std::cerr);
    orvella::Prompter& prompter = scripted ? *scripted : qt_prompter;

    orvella::HostHooks hooks;
    hooks.screen_query = []() -> std::optional<orvella::ScreenSize> {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen == nullptr)
            return std::nullopt;
        const QSize size = screen->size() * screen->devicePixelRatio();
        return orvella::ScreenSize{size.width(), size.height()};
    };
    orvella::Result<orvella::Platform> platform =
        orvella::CreateHostPlatform(environment, orvella::ExecutablePath(), std::move(hooks));
    if (!platform) {
        prompter.ShowMessage(platform.message(), "Orvella", orvella::MessageStyle::Error);
        return 1;
    }
    for (const std::string& warning : platform->warnings)
        std::cerr << "orvella: " << warning << '\n';

    orvella::TOrvel main_window;
    qt_prompter.SetOwner(&main_window);
    main_window.show();
    return QApplication::exec();
}
