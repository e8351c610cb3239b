// Times the picture pipeline of a wallpaper change on a 6000 x 4000 photo-sized JPEG that it
// makes itself (a gradient with noise, so the encoder cannot cheat): full decode, decode at
// a reduced scale for 3840 x 2160, resampling to 3840 x 2160, saving at quality 92, and the
// whole prepare-for-screen path. Prints wall time and peak memory (VmHWM, reset before each
// step) of each, and the times of vipsthumbnail and ImageMagick's convert on the same picture
// where they are installed.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "bench_support.h"
#include "codecs/decoders.h"
#include "codecs/image_loader.h"
#include "codecs/jpeg_encoder.h"
#include "codecs/resample.h"

namespace {

using Clock = std::chrono::steady_clock;
using orvella::Bitmap;
using orvella::bench::FindOnPath;
using orvella::bench::PeakMemoryKiB;
using orvella::bench::ResetPeakMemory;
using orvella::bench::TimeTool;

constexpr int kSourceWidth = 6000;
constexpr int kSourceHeight = 4000;
constexpr int kScreenWidth = 3840;
constexpr int kScreenHeight = 2160;

double Step(const char* name, const std::function<bool()>& work) {
    ResetPeakMemory();
    const Clock::time_point start = Clock::now();
    const bool ok = work();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%-44s %9.1f ms %8.1f MiB peak%s\n", name, ms, PeakMemoryKiB() / 1024.0,
                ok ? "" : "  FAILED");
    return ms;
}

}  // namespace

int main() {
    const std::string folder = orvella::bench::MakeBenchFolder();
    if (folder.empty())
        return 1;
    const std::string input = folder + "/in.jpg";
    {
        const Bitmap photo = orvella::bench::SyntheticPhoto(kSourceWidth, kSourceHeight);
        if (!orvella::SaveJpeg(photo, input, 92).ok())
            return 1;
    }
    std::printf("source: %dx%d JPEG, %.1f MiB; target %dx%d, quality 92\n\n", kSourceWidth,
                kSourceHeight, std::filesystem::file_size(input) / 1048576.0, kScreenWidth,
                kScreenHeight);

    std::optional<Bitmap> full;
    Step("decode, full size", [&] {
        auto decoded = orvella::LoadImage(input);
        if (decoded.ok())
            full = std::move(decoded).value();
        return full.has_value();
    });
    Step("decode, reduced scale for 3840x2160", [&] {
        auto decoded =
            orvella::LoadImage(input, {.min_width = kScreenWidth, .min_height = kScreenHeight});
        if (decoded.ok())
            std::printf("  (decoded at %dx%d)\n", decoded->width(), decoded->height());
        return decoded.ok();
    });
    std::optional<Bitmap> screen;
    Step("resample 6000x4000 -> 3840x2160 (Lanczos-3)", [&] {
        auto resized = orvella::Resize(*full, kScreenWidth, kScreenHeight);
        if (resized.ok())
            screen = std::move(resized).value();
        return screen.has_value();
    });
    full.reset();
    Step("save 3840x2160 JPEG, quality 92",
         [&] { return orvella::SaveJpeg(*screen, folder + "/screen.jpg", 92).ok(); });
    screen.reset();
    const double ours = Step("whole path: load for size + resample + save", [&] {
        auto fitted = orvella::LoadImageForSize(input, kScreenWidth, kScreenHeight);
        return fitted.ok() && orvella::SaveJpeg(*fitted, folder + "/ours.jpg", 92).ok();
    });

    std::printf("\nthe same job by other programs (ratio = their time / ours):\n");
    bool any = false;
    if (const auto vips = FindOnPath("vipsthumbnail")) {
        const double ms =
            TimeTool("vipsthumbnail -s 3840x2160!",
                     {*vips, input, "-s", "3840x2160!", "-o", folder + "/vips.jpg[Q=92]"});
        if (ms > 0)
            std::printf("%-44s %9.2f\n", "  ratio", ms / ours);
        any = true;
    }
    if (const auto convert = FindOnPath("convert")) {
        const double ms = TimeTool(
            "convert -resize 3840x2160! -quality 92",
            {*convert, input, "-resize", "3840x2160!", "-quality", "92", folder + "/magick.jpg"});
        if (ms > 0)
            std::printf("%-44s %9.2f\n", "  ratio", ms / ours);
        any = true;
    }
    if (!any)
        std::printf("  neither vipsthumbnail nor convert is on PATH\n");
    std::filesystem::remove_all(folder);
    return 0;
}
