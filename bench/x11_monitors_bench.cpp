// Times a wallpaper change on a bare X11 root (Xvfb) from a 6000 x 4000 JPEG that it makes
// itself: on one 3840 x 2160 monitor, and on two of them side by side, in each display
// mode; medians of five changes and the largest memory one took. The second monitor doubles
// the pixels; a change may take at most twice as long ("limit"). The first change on each
// server makes the root pixmap; the later ones draw into it, as a running desktop's do.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "codecs/codec_picture_loader.h"
#include "platform/desktop/backends/x11_backend.h"
#include "support/x11_server.h"

namespace {

using Clock = std::chrono::steady_clock;
using orvella::WallpaperStyle;

constexpr int kRuns = 5;
constexpr int kMonitorWidth = 3840;
constexpr int kMonitorHeight = 2160;

struct Figures {
    std::vector<double> times_ms;
    double peak_mib = 0;

    double Median() {
        std::sort(times_ms.begin(), times_ms.end());
        return times_ms.empty() ? -1 : times_ms[times_ms.size() / 2];
    }
};

// One change on the display, its time and the memory it took beyond what was held before.
bool TimeChange(orvella::X11WallpaperBackend& backend, const orvella::WallpaperChange& change,
                Figures& figures) {
    orvella::bench::ResetPeakMemory();
    const long before = orvella::bench::MemoryKiB();
    const Clock::time_point start = Clock::now();
    if (const orvella::Status shown = backend.Show(change); !shown) {
        std::printf("  failed: %s\n", shown.message().c_str());
        return false;
    }
    figures.times_ms.push_back(
        std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    figures.peak_mib =
        std::max(figures.peak_mib, (orvella::bench::PeakMemoryKiB() - before) / 1024.0);
    return true;
}

}  // namespace

int main() {
    const std::optional<orvella::bench::BenchFiles> files =
        orvella::bench::MakeSourceJpeg(6000, 4000, kMonitorWidth, kMonitorHeight);
    if (!files)
        return 1;
    orvella::testing::Xvfb one(kMonitorWidth, kMonitorHeight);
    orvella::testing::Xvfb two(2 * kMonitorWidth, kMonitorHeight);
    if (one.display().empty() || two.display().empty()) {
        std::printf("Xvfb did not start\n");
        return 1;
    }
    const std::string layout =
        orvella::testing::SetMonitors(two.display(),
                                      {{"A", 0, 0, kMonitorWidth, kMonitorHeight},
                                       {"B", kMonitorWidth, 0, kMonitorWidth, kMonitorHeight}},
                                      0);
    if (!layout.empty()) {
        std::printf("xrandr: %s\n", layout.c_str());
        return 1;
    }
    std::printf("%-10s %22s %22s %8s %8s\n", "mode", "one monitor", "two monitors", "ratio",
                "limit");
    // The two layouts by turns, so a machine busy with other work slows both alike.
    orvella::X11WallpaperBackend on_one(std::make_shared<orvella::CodecPictureLoader>(),
                                        one.display());
    orvella::X11WallpaperBackend on_two(std::make_shared<orvella::CodecPictureLoader>(),
                                        two.display());
    for (const WallpaperStyle style :
         {WallpaperStyle::Stretch, WallpaperStyle::Centre, WallpaperStyle::Tile}) {
        orvella::WallpaperChange change;
        change.file = change.picture = files->input;
        change.style = style;
        Figures single;
        Figures both;
        for (int run = 0; run < kRuns; ++run) {
            if (!TimeChange(on_one, change, single) || !TimeChange(on_two, change, both))
                return 1;
        }
        const double single_ms = single.Median();
        const double both_ms = both.Median();
        std::printf("%-10s %9.1f ms %6.1f MiB %9.1f ms %6.1f MiB %8.2f %8.2f\n",
                    std::string(orvella::StyleName(style)).c_str(), single_ms, single.peak_mib,
                    both_ms, both.peak_mib, both_ms / single_ms, 2.0);
    }
    std::filesystem::remove_all(files->folder);
    return 0;
}
