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
using orvella::bench::PeakMemoryKiB;
using orvella::bench::ResetPeakMemory;

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
    const std::optional<orvella::bench::BenchFiles> files =
        orvella::bench::MakeSourceJpeg(kSourceWidth, kSourceHeight, kScreenWidth, kScreenHeight);
    if (!files)
        return 1;
    const std::string& folder = files->folder;
    const std::string& input = files->input;

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
    orvella::bench::CompareWithTools(input, folder, kScreenWidth, kScreenHeight, ours);
    std::filesystem::remove_all(folder);
    return 0;
}
