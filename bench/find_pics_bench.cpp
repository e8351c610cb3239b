// Delivers 1 000, 10 000 and 50 000 finds to the disk search window (a real search of a
// generated tree, threaded, offscreen) and prints the total time, the time until the first
// finds were shown, the longest stall of the window's event loop, measured by a timer that
// should tick every millisecond, and the time the scroll extent takes at the end. The trees
// are made under the system's temporary folder and removed afterwards.
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "gui/found_pictures.h"
#include "gui/tfindpics.h"
#include "library/category_store.h"
#include "platform/system/drives.h"
#include "platform/system/environment.h"
#include "printing_prompter.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "stall_watch.h"

namespace {

constexpr int kFilesPerFolder = 100;

class OneDrive : public orvella::Drives {
public:
    explicit OneDrive(std::string root) : root_(std::move(root)) {}
    std::vector<orvella::Drive> List() const override {
        return {{root_, orvella::DriveType::Fixed, "BENCH", "ext4"}};
    }

private:
    std::string root_;
};

bool MakeTree(const std::string& root, int files) {
    for (int i = 0; i < files; ++i) {
        const std::string folder = root + "d" + std::to_string(i / kFilesPerFolder) + "/";
        if (i % kFilesPerFolder == 0)
            std::filesystem::create_directories(folder);
        std::ofstream(folder + "bild" + std::to_string(i) + ".jpg") << i;
    }
    return std::filesystem::exists(root + "d0/bild0.jpg");
}

struct Figures {
    double total_ms = 0;
    double first_shown_ms = -1;
    double longest_stall_ms = 0;
    double scroll_width_ms = 0;
    int listed = 0;
};

Figures Measure(const std::string& root, const std::string& program_dir) {
    const orvella::MessageCatalogue catalogue;
    orvella::bench::PrintingPrompter prompter;
    const OneDrive drives(root);
    const orvella::ProcessEnvironment environment;
    const orvella::TCategoryStore store(program_dir + "ovlimg.dat",
                                        program_dir + "Icons/StdImage.bmp", catalogue);
    orvella::TFindPics window(orvella::TFindPicsServices{
        .catalogue = catalogue,
        .prompter = prompter,
        .drives = drives,
        .environment = environment,
        .store = store,
        .form_file = program_dir + "ovl.dat",
        .add_to_category = {},
        .new_category = {},
        .show_in_preview = {},
        .closed = {},
    });
    window.show();
    window.LBSearchPics()->item(1)->setCheckState(Qt::Checked);
    window.LogicalDrives()->item(0)->setCheckState(Qt::Checked);

    Figures figures;
    orvella::bench::StallWatch watch([&](qint64 now) {
        if (figures.first_shown_ms < 0 && window.found().rowCount() > 0)
            figures.first_shown_ms = now / 1e6;
    });
    watch.Start();
    window.BtnFindClick();
    while (window.FindFile().Busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    figures.total_ms = watch.ElapsedNs() / 1e6;
    watch.Stop();
    figures.longest_stall_ms = watch.LongestMs();
    figures.listed = window.found().rowCount();
    // What the end of a search does beyond the last batch.
    QElapsedTimer measuring;
    measuring.start();
    window.UpdateScrollWidth();
    figures.scroll_width_ms = measuring.nsecsElapsed() / 1e6;
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::string temp = (base / "orvella-find-pics-XXXXXX").string();
    if (::mkdtemp(temp.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = temp + "/";
    std::printf(
        "finds   total ms   first shown ms   longest stall ms   scroll width ms   listed\n");
    int status = 0;
    for (int files : {1000, 10000, 50000}) {
        const std::string root = folder + std::to_string(files) + "/";
        const std::string program_dir = folder + "prog" + std::to_string(files) + "/";
        std::filesystem::create_directories(program_dir);
        if (!MakeTree(root, files)) {
            std::fprintf(stderr, "cannot make the tree under %s\n", root.c_str());
            status = 1;
            break;
        }
        const Figures figures = Measure(root, program_dir);
        std::printf("%5d   %8.1f   %14.1f   %16.1f   %15.1f   %6d\n", files, figures.total_ms,
                    figures.first_shown_ms, figures.longest_stall_ms, figures.scroll_width_ms,
                    figures.listed);
        std::filesystem::remove_all(root);
    }
    std::filesystem::remove_all(folder);
    return status;
}
