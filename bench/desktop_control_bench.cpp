// Times our desktop control at 1920 x 1080 on a picture it makes itself: drawing the
// calendar wallpaper, drawing it and writing the PNG the desktop gets, handing it to the
// X11 root window (when $DISPLAY names one), a frame of the moving starfield, and the CPU
// share of the running starfield at its two frames a second. With the argument "starfield"
// the moving starfield is what stays on the screen; otherwise the calendar.
#include <stdlib.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "bench_support.h"
#include "codecs/codec_picture_loader.h"
#include "codecs/compose.h"
#include "codecs/jpeg_encoder.h"
#include "gui/desktop_control_painter.h"
#include "gui/desktop_control_renderer.h"
#include "gui/starfield_animation.h"
#include "platform/desktop/backends/x11_backend.h"
#include "platform/desktop/live_wallpaper.h"
#include "platform/registry/registry_file.h"
#include "wallpaper/control_box.h"
#include "wallpaper/starfield_state.h"
#include "wallpaper/wallpaper_pages.h"

namespace {

using Steady = std::chrono::steady_clock;
using namespace orvella;

constexpr ScreenSize kScreen{1920, 1080};

double Milliseconds(Steady::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The mean time of `runs` calls in ms.
double Time(const char* label, int runs, const std::function<bool()>& step) {
    const Steady::time_point start = Steady::now();
    for (int i = 0; i < runs; ++i) {
        if (!step()) {
            std::printf("%-44s failed\n", label);
            return -1;
        }
    }
    const double mean = Milliseconds(Steady::now() - start) / runs;
    std::printf("%-44s %8.1f ms  (mean of %d)\n", label, mean, runs);
    return mean;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Frames that go nowhere, for a run without a display.
class NoFrames : public LiveWallpaper {
public:
    Status ShowFrame(const PicturePixels&) override { return Status::Ok(); }
};

class FixedScreen : public Screen {
public:
    ScreenSize Size() const override { return kScreen; }
};

class FixedColours : public DesktopColours {
public:
    ColorRef Background() const override { return MakeColorRef(58, 110, 165); }
    Status SetBackground(ColorRef) override { return Status::Ok(); }
};

}  // namespace

int main(int argc, char** argv) {
    const bool end_on_starfield = argc > 1 && std::strcmp(argv[1], "starfield") == 0;
    const char* display = ::getenv("DISPLAY");
    const bool has_display = display != nullptr && *display != '\0';
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);

    std::string folder = (std::filesystem::temp_directory_path() / "orvella-dcbench-XXXXXX");
    if (::mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    folder += "/";
    const Bitmap photo = bench::SyntheticPhoto(kScreen.width, kScreen.height);
    const Result<Bitmap> cut = Crop(photo, ControlBox(kScreen));
    if (!cut || !SaveJpeg(photo, folder + "Orvella.jpg").ok() ||
        !SaveJpeg(*cut, folder + "Orvella2.jpg").ok()) {
        std::printf("cannot write the pictures in %s\n", folder.c_str());
        return 1;
    }
    const FixedScreen screen;
    const FixedColours colours;
    const TWallpaperPages pages(folder, screen, colours);
    const std::string page = folder + "Orvella.htm";
    RegistryFile registry(folder + "hive.reg");
    if (!pages.WritePage(LabelWallHTML(), page).ok())
        return 1;
    const std::string starfield_page = folder + "Starfield.htm";
    if (!pages.WritePage(LabelStarFieldHTML(), starfield_page).ok() ||
        !StoreStarfieldState(registry, "Advanced", "true").ok())
        return 1;

    DesktopControlRenderer renderer(DesktopControlRenderer::Sources{
        .program_dir = folder,
        .registry = registry,
        .clock = std::make_shared<HostClock>(),
        .screen = [] { return QSize(kScreen.width, kScreen.height); },
        .others = nullptr,
        .drawn = {},
    });
    std::printf("desktop control at %dx%d, files in %s\n", kScreen.width, kScreen.height,
                folder.c_str());

    const Result<std::optional<DesktopControlPage>> parsed = ReadDesktopControlPage(page);
    if (!parsed || !*parsed)
        return 1;
    const DesktopControlScene scene = renderer.SceneFor(**parsed);
    Time("calendar: compose", 10, [&] { return !PaintDesktopControl(scene).isNull(); });
    std::string picture;
    Time("calendar: compose + write PNG", 10, [&] {
        Result<std::string> drawn = renderer.PictureForPage(page);
        if (drawn)
            picture = *drawn;
        return drawn.ok();
    });
    std::printf("%-44s %8.1f MB\n", "calendar: PNG size",
                std::filesystem::file_size(picture) / 1e6);

    std::unique_ptr<X11WallpaperBackend> x11;
    if (has_display) {
        x11 = std::make_unique<X11WallpaperBackend>(std::make_shared<CodecPictureLoader>());
        WallpaperChange change;
        change.route = WallpaperRoute::ActiveDesktop;
        change.file = page;
        change.picture = picture;
        change.style = WallpaperStyle::Stretch;
        Time("calendar: X11 root window (load PNG, show)", 3,
             [&] { return x11->Show(change).ok(); });
    } else {
        std::printf("%-44s no $DISPLAY\n", "calendar: X11 root window");
    }

    const QRect box(10, 15, kScreen.width - 20, kScreen.height - 15);
    const QSize size(kScreen.width, kScreen.height);
    int frame = 0;
    Time("starfield: draw one frame", 20,
         [&] { return !PaintStarfield(size, box, ++frame).isNull(); });
    NoFrames nowhere;
    LiveWallpaper* live = x11 ? x11->Live() : &nowhere;
    TStarfieldAnimation animation(live, [] { return true; });
    DesktopControlScene moving = scene;
    moving.page.kind = DesktopControlPageKind::Starfield;
    moving.settings.starfield_type = "Advanced";
    animation.PageDrawn(moving);
    Time(x11 ? "starfield: frame to the X11 root pixmap" : "starfield: frame (no display)", 20,
         [&] {
             animation.FrameTimerTimer();
             return animation.Running();
         });

    constexpr int kRunMs = 10000;
    animation.PageDrawn(moving);
    const double cpu_before = CpuSeconds();
    const Steady::time_point start = Steady::now();
    QTimer::singleShot(kRunMs, &application, &QGuiApplication::quit);
    QGuiApplication::exec();
    const double wall = Milliseconds(Steady::now() - start) / 1000;
    std::printf("%-44s %8.1f %%  (%d frames in %.1f s, this process only)\n",
                "starfield: CPU share while moving", 100 * (CpuSeconds() - cpu_before) / wall,
                animation.Frame(), wall);
    std::printf("%-44s %8.1f MB\n", "peak memory", bench::PeakMemoryKiB() / 1024.0);

    if (x11 && !end_on_starfield) {
        WallpaperChange change;
        change.file = page;
        change.picture = picture;
        change.style = WallpaperStyle::Stretch;
        if (!x11->Show(change).ok())
            return 1;
    }
    std::filesystem::remove_all(folder);
    return 0;
}
