// Times the picture pipeline of a wallpaper change on a 6000 x 4000 photo-sized JPEG that it
// makes itself (a gradient with noise, so the encoder cannot cheat): full decode, decode at
// a reduced scale for 3840 x 2160, resampling to 3840 x 2160, saving at quality 92, and the
// whole prepare-for-screen path. Prints wall time and peak memory (VmHWM, reset before each
// step) of each, and the times of vipsthumbnail and ImageMagick's convert on the same picture
// where they are installed.
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codecs/decoders.h"
#include "codecs/image_loader.h"
#include "codecs/jpeg_encoder.h"
#include "codecs/resample.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using orvella::Bitmap;

constexpr int kSourceWidth = 6000;
constexpr int kSourceHeight = 4000;
constexpr int kScreenWidth = 3840;
constexpr int kScreenHeight = 2160;

// Resets the kernel's peak-RSS counter of this process, so each step reports its own peak.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

long PeakMemoryKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

double Step(const char* name, const std::function<bool()>& work) {
    ResetPeakMemory();
    const Clock::time_point start = Clock::now();
    const bool ok = work();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%-44s %9.1f ms %8.1f MiB peak%s\n", name, ms, PeakMemoryKiB() / 1024.0,
                ok ? "" : "  FAILED");
    return ms;
}

Bitmap SyntheticPhoto() {
    Bitmap bitmap = Bitmap::Create(kSourceWidth, kSourceHeight, orvella::PixelFormat::Rgb).value();
    std::uint32_t noise = 12345;
    for (int y = 0; y < kSourceHeight; ++y) {
        std::uint8_t* p = bitmap.row(y);
        for (int x = 0; x < kSourceWidth; ++x, p += 3) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 27) - 16;
            p[0] = static_cast<std::uint8_t>(std::clamp(x * 255 / kSourceWidth + n, 0, 255));
            p[1] = static_cast<std::uint8_t>(std::clamp(y * 255 / kSourceHeight + n, 0, 255));
            p[2] = static_cast<std::uint8_t>(std::clamp(128 + (x - y) / 64 + n, 0, 255));
        }
    }
    return bitmap;
}

std::optional<std::string> FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

// Runs a program with an argument vector (no shell) and waits for it.
bool Run(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double TimeTool(const char* label, const std::vector<std::string>& arguments) {
    const Clock::time_point start = Clock::now();
    const bool ok = Run(arguments);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%-44s %9.1f ms%s\n", label, ms, ok ? "" : "  FAILED");
    return ok ? ms : -1;
}

}  // namespace

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "orvella-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr)
        return 1;
    const std::string input = folder + "/in.jpg";
    {
        const Bitmap photo = SyntheticPhoto();
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
