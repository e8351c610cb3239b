// Steps through a slideshow of 24-megapixel JPEGs (6000 x 4000) on a 3840 x 2160 screen
// (the offscreen platform) with the Right key, and prints how long each step took until the
// new picture was painted: with the neighbours decoded ahead, after the user has looked at a
// picture for a moment, beside the same steps decoding only on demand. Then the peak memory
// of a show of 200 such pictures stepped through as fast as they appear. The pictures are
// made at run time under the system's temporary folder: a few distinct photos, the list of
// 200 made of links to them (each entry still decoded on its own).
#include <malloc.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "codecs/jpeg_encoder.h"
#include "codecs/large_blocks.h"
#include "gui/slide_image.h"
#include "gui/slideshow_engine.h"
#include "gui/tslideshowform.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kDistinctPhotos = 6;
constexpr int kTimedSteps = 12;
constexpr int kShowLength = 200;

// The offscreen platform's screen, from a configuration file it reads at start.
void UseScreen(const std::string& folder, int width, int height) {
    const std::string config = folder + "screen.json";
    std::ofstream(config) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": )" << width
                          << R"(, "height": )" << height << R"(, "logicalDpi": 96, "dpr": 1}]})";
    ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
}

std::vector<std::string> MakeShow(const std::string& folder, int length) {
    std::vector<std::string> distinct;
    for (int i = 0; i < kDistinctPhotos; ++i) {
        orvella::Bitmap photo = orvella::bench::SyntheticPhoto(kPhotoWidth - i * 8, kPhotoHeight);
        const std::string path = folder + "photo" + std::to_string(i) + ".jpg";
        if (!orvella::SaveEncodedJpeg(orvella::EncodeJpeg(photo, 92), path))
            return {};
        distinct.push_back(path);
    }
    std::vector<std::string> show;
    for (int i = 0; i < length; ++i) {
        const std::string link = folder + "show" + std::to_string(i) + ".jpg";
        std::filesystem::create_symlink(distinct[static_cast<std::size_t>(i) % distinct.size()],
                                        link);
        show.push_back(link);
    }
    return show;
}

bool Holds(const std::vector<int>& held, int index) {
    return std::find(held.begin(), held.end(), index) != held.end();
}

// Presses Right and waits until the next picture has been painted; the time in ms.
double StepRight(orvella::TSlideShowForm& form) {
    const auto* image = form.findChild<orvella::TSlideImage*>("Image");
    const qint64 before = image->Picture().cacheKey();
    bool painted = false;
    const QMetaObject::Connection watch =
        QObject::connect(image, &orvella::TSlideImage::Painted,
                         [&] { painted = image->Picture().cacheKey() != before; });
    QElapsedTimer clock;
    clock.start();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&form, &right);
    while (!painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double ms = clock.nsecsElapsed() / 1e6;
    QObject::disconnect(watch);
    return ms;
}

// The median of `steps` steps; with prefetch each waits until the next picture is decoded,
// as it is while the user looks at the current one.
double MedianStep(const std::vector<std::string>& show, bool prefetch, int steps) {
    orvella::TSlideShowForm form(show, {.interval_seconds = 3600, .prefetch = prefetch});
    form.showFullScreen();
    std::vector<double> times;
    for (int i = 0; i <= steps; ++i) {
        const int next = (form.Engine().Index() + 1) % form.Engine().Count();
        while (prefetch && !Holds(form.Engine().Held(), next))
            QTest::qWait(10);
        const double ms = StepRight(form);
        if (i > 0)  // the first waits for the window's first paint too
            times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The peak while the show runs, and what the process held before it began.
std::pair<long, long> PeakOfShow(const std::vector<std::string>& show) {
    ::malloc_trim(0);
    const long before = orvella::bench::MemoryKiB();
    orvella::bench::ResetPeakMemory();
    {
        orvella::TSlideShowForm form(show, {.interval_seconds = 3600});
        form.showFullScreen();
        for (std::size_t i = 0; i < show.size(); ++i)
            StepRight(form);
    }
    return {orvella::bench::PeakMemoryKiB(), before};
}

}  // namespace

int main(int argc, char** argv) {
    std::string temp =
        (std::filesystem::temp_directory_path() / "orvella-slideshow-XXXXXX").string();
    if (::mkdtemp(temp.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = temp + "/";
    UseScreen(folder, 3840, 2160);
    orvella::ReturnLargeBlocksToTheSystem();
    QApplication application(argc, argv);
    const std::vector<std::string> show = MakeShow(folder, kShowLength);
    if (show.empty()) {
        std::fprintf(stderr, "the pictures could not be made\n");
        return 1;
    }
    std::printf("%d x %d JPEGs (quality 92) on a 3840 x 2160 screen\n", kPhotoWidth, kPhotoHeight);
    std::printf("Right key to picture painted, median of %d steps:\n", kTimedSteps);
    const std::vector<std::string> timed(show.begin(), show.begin() + kDistinctPhotos);
    std::printf("  decoded ahead            %8.1f ms\n", MedianStep(timed, true, kTimedSteps));
    std::printf("  decoded on demand        %8.1f ms\n", MedianStep(timed, false, kTimedSteps));
    const auto [peak, before] = PeakOfShow(show);
    std::printf("peak memory, %d pictures  %8.1f MB (%.1f MB before the show)\n", kShowLength,
                static_cast<double>(peak) / 1024, static_cast<double>(before) / 1024);
    std::filesystem::remove_all(folder);
    return 0;
}
