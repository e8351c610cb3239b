// Shows a large HTML page (5 000 paragraphs, laid out at 1920 x 1080) and a 4000 x 3000
// JPEG in the preview window, offscreen, and prints how long each took to appear and the
// longest stall of the window's event loop meanwhile, measured by a timer that should tick
// every millisecond. The page renders beside the window; the picture is decoded in the
// window's thread, at the size it is drawn. The files are made under the system's temporary folder.
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "gui/shipped_files.h"
#include "gui/thtmlthumbnail.h"
#include "gui/tpreviewform.h"
#include "platform/desktop/screen.h"
#include "printing_prompter.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "stall_watch.h"

namespace {

class FixedScreen : public orvella::Screen {
public:
    orvella::ScreenSize Size() const override { return {1920, 1080}; }
};

struct Figures {
    double shown_ms = 0;
    double longest_stall_ms = 0;
};

// Runs `start`, then the event loop until `done`, timing both.
Figures Measure(const std::function<void()>& start, const std::function<bool()>& done) {
    Figures figures;
    orvella::bench::StallWatch watch;
    watch.Start();
    start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    figures.shown_ms = watch.ElapsedNs() / 1e6;
    // The stall of a start that blocks is seen by the first tick after it.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    figures.longest_stall_ms =
        std::max(watch.LongestMs(), (watch.ElapsedNs() - watch.LastTickNs()) / 1e6 - 20);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::string temp = (std::filesystem::temp_directory_path() / "orvella-preview-XXXXXX").string();
    if (::mkdtemp(temp.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = temp + "/";
    orvella::EnsureShippedFiles(folder);

    std::ofstream page(folder + "page.htm");
    page << "<html><body bgcolor=\"#336699\">";
    for (int i = 0; i < 5000; ++i)
        page << "<p>Absatz " << i << ": eine Zeile Text, damit die Seite lang wird.</p>";
    page << "</body></html>";
    page.close();
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    photo.save(QString::fromStdString(folder + "photo.jpg"), "JPG", 92);

    const orvella::MessageCatalogue catalogue;
    orvella::bench::PrintingPrompter prompter;
    const FixedScreen screen;
    orvella::TPreviewForm preview(orvella::TPreviewServices{
        .catalogue = catalogue,
        .prompter = prompter,
        .screen = screen,
        .program_dir = folder,
        .form_file = folder + "ovl.dat",
    });
    preview.show();

    std::printf("what                       shown ms   longest stall ms\n");
    const Figures html = Measure([&] { preview.ShowInPreview(folder + "page.htm"); },
                                 [&] { return !preview.PrevHtml()->Rendering(); });
    std::printf("HTML page, 5000 paragraphs %8.1f   %16.1f\n", html.shown_ms,
                html.longest_stall_ms);
    const Figures jpeg =
        Measure([&] { preview.ShowInPreview(folder + "photo.jpg"); }, [] { return true; });
    std::printf("JPEG 4000 x 3000           %8.1f   %16.1f\n", jpeg.shown_ms,
                jpeg.longest_stall_ms);
    std::filesystem::remove_all(folder);
    return 0;
}
