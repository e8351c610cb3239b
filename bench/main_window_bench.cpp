// Times the main window's start with large stores: creating the window, the whole
// start-up (load, lists, form state) and the first paint, offscreen. Then the longest
// stall of the window's event loop while one picture is dropped on the current list,
// filed from the search and removed again, each with the save that follows it.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "codecs/codec_picture_loader.h"
#include "gui/picture_list.h"
#include "gui/shipped_files.h"
#include "gui/torvel.h"
#include "gui/wallpaper_commands.h"
#include "library/picture_commands.h"
#include "platform/host_platform.h"
#include "platform/profile/profile_document.h"
#include "platform/system/desktop_shell.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/non_interactive_prompter.h"
#include "stall_watch.h"

namespace {

// Starting the window asks nothing of the desktop.
class ClassicDesktop : public orvella::ActiveDesktopSwitch {
public:
    bool IsActiveDesktopOn() const override { return false; }
    void EnableActiveDesktop() override {}
    bool IsWinXP() const override { return true; }
};

// No switch asks for a wallpaper, so none is ever set.
class NoWallpaper : public orvella::WallpaperCommands {
public:
    void SetRandomWallpaper(const orvella::TCategoryStore&) override {}
    void SetSelectedWallpaper(const std::string&) override {}
    void SBTransClick() override {}
    void SetStarfieldWallpaper(const std::string&) override {}
};

void WriteStore(const std::string& path, int pictures, int categories) {
    orvella::ProfileDocument document;
    for (int c = 0; c < categories; ++c) {
        const std::string key = "Cat_" + std::to_string(c);
        document.SetValue("Categories", key, "");
        document.SetValue(key + ".Details", "Name", "Kategorie " + std::to_string(c));
        document.SetValue(key + ".Details", "Icon", "");
    }
    for (int i = 0; i < pictures; ++i) {
        const int category = 1 + i % (categories - 1);
        document.SetValue("Cat_" + std::to_string(category) + ".Wallpapers",
                          "/home/user/Bilder/Urlaub/bild_" + std::to_string(i) + ".jpg", "");
    }
    document.SetValue("Custom", "ActiveCat", "1");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string text = document.Serialize();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// The longest stall of the event loop while `change` runs in it, once things are quiet.
double LongestStall(const std::function<void()>& change) {
    orvella::bench::StallWatch watch;
    QEventLoop loop;
    watch.Start();
    QTimer::singleShot(20, [&] {
        change();
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
    });
    loop.exec();
    watch.Stop();
    return watch.LongestMs();
}

orvella::TPictureList* ShownList(orvella::TOrvel& window) {
    for (orvella::TPictureList* list : window.findChildren<orvella::TPictureList*>()) {
        if (list->isVisible())
            return list;
    }
    return nullptr;
}

struct ChangeStalls {
    double add = 0;
    double file = 0;
    double remove = 0;
};

// One picture dropped on the current list, one filed into it from the search, and the
// last one removed again.
ChangeStalls MeasureChanges(orvella::TOrvel& window) {
    ChangeStalls stalls;
    stalls.add = LongestStall([&] { window.DropFileTargetDrop({"/home/user/Bilder/neu.jpg"}); });
    stalls.file = LongestStall([&] {
        window.FilePictures(window.store().CurrentCategory(), {"/home/user/Bilder/gesucht.jpg"});
    });
    stalls.remove = LongestStall([&] {
        orvella::TPictureList* list = ShownList(window);
        if (list == nullptr)
            return;
        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        list->selectionModel()->setCurrentIndex(last, QItemSelectionModel::ClearAndSelect);
        window.SBDelClick();
    });
    return stalls;
}

}  // namespace

int main(int argc, char* argv[]) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    orvella::InitGuiResources();

    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("orvella-bench-" + std::to_string(::getpid()));
    std::printf("%10s %12s %12s %12s %12s %12s %12s\n", "pictures", "start-up", "first paint",
                "add stall", "file stall", "remove stall", "close");
    for (int pictures : {1000, 10000, 100000}) {
        const std::filesystem::path program = root / std::to_string(pictures);
        std::filesystem::create_directories(program);
        orvella::MapEnvironment environment;
        environment.Set("ORVELLA_PROGRAM_DIR", program.string() + "/");
        environment.Set("ORVELLA_REGISTRY", (program / "hive.reg").string());
        environment.Set("ORVELLA_WINDOWS_DIR", (program / "windows").string());
        environment.Set("XDG_RUNTIME_DIR", program.string());
        orvella::Result<orvella::Platform> platform =
            orvella::CreateHostPlatform(environment, (program / "orvella").string(),
                                        std::make_shared<orvella::CodecPictureLoader>());
        if (!platform) {
            std::fprintf(stderr, "%s\n", platform.message().c_str());
            return 1;
        }
        orvella::EnsureShippedFiles(program.string() + "/");
        WriteStore((program / "ovlimg.dat").string(), pictures, 6);
        // Every category has a missing icon; the answers go to /dev/null.
        std::ofstream quiet("/dev/null");
        auto prompter = orvella::MakeNonInteractivePrompter("yes", quiet);
        const orvella::MessageCatalogue catalogue;
        NoWallpaper wallpaper;
        orvella::CancellingFileChooser files;
        ClassicDesktop desktop;
        orvella::HostDesktopShell shell;  // no command runs here
        orvella::TOrvelServices services{.platform = *platform,
                                         .environment = environment,
                                         .catalogue = catalogue,
                                         .prompter = *prompter,
                                         .wallpaper = wallpaper,
                                         .files = files,
                                         .active_desktop = desktop,
                                         .shell = shell,
                                         .show_splash = {},
                                         .show_info = {},
                                         .tray_available = [] { return false; }};

        QElapsedTimer timer;
        timer.start();
        auto window = std::make_unique<orvella::TOrvel>(services);
        window->FormCreate({});
        const double startup = timer.nsecsElapsed() / 1e6;
        timer.restart();
        window->show();
        QApplication::processEvents();
        window->grab();
        const double paint = timer.nsecsElapsed() / 1e6;
        const ChangeStalls stalls = MeasureChanges(*window);
        timer.restart();
        window->EndProgram();
        const double close = timer.nsecsElapsed() / 1e6;
        std::printf("%10d %9.1f ms %9.1f ms %9.1f ms %9.1f ms %9.1f ms %9.1f ms\n", pictures,
                    startup, paint, stalls.add, stalls.file, stalls.remove, close);
        window.reset();
    }
    std::filesystem::remove_all(root);
    return 0;
}
