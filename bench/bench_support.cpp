#include "bench_support.h"

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

#include "codecs/jpeg_encoder.h"

extern char** environ;

namespace orvella::bench {

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

namespace {

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

}  // namespace

long PeakMemoryKiB() {
    return StatusKiB("VmHWM");
}

long MemoryKiB() {
    return StatusKiB("VmRSS");
}

Bitmap SyntheticPhoto(int width, int height) {
    Bitmap bitmap = Bitmap::Create(width, height, PixelFormat::Rgb).value();
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = bitmap.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 27) - 16;
            p[0] = static_cast<std::uint8_t>(std::clamp(x * 255 / width + n, 0, 255));
            p[1] = static_cast<std::uint8_t>(std::clamp(y * 255 / height + n, 0, 255));
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
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const bool ok = Run(arguments);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%-44s %9.1f ms%s\n", label, ms, ok ? "" : "  FAILED");
    return ok ? ms : -1;
}

std::optional<BenchFiles> MakeSourceJpeg(int width, int height, int target_width,
                                         int target_height) {
    BenchFiles files;
    files.folder = (std::filesystem::temp_directory_path() / "orvella-bench-XXXXXX").string();
    if (::mkdtemp(files.folder.data()) == nullptr)
        return std::nullopt;
    files.input = files.folder + "/in.jpg";
    if (!SaveJpeg(SyntheticPhoto(width, height), files.input, kWallpaperJpegQuality).ok())
        return std::nullopt;
    std::printf("source: %dx%d JPEG, %.1f MiB; target %dx%d, quality %d\n\n", width, height,
                std::filesystem::file_size(files.input) / 1048576.0, target_width, target_height,
                kWallpaperJpegQuality);
    return files;
}

void CompareWithTools(const std::string& input, const std::string& folder, int width, int height,
                      double ours_ms) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height) + "!";
    const auto ratio = [ours_ms](double ms) {
        if (ms > 0 && ours_ms > 0)
            std::printf("%-44s %9.2f\n", "  ratio, their time / ours", ms / ours_ms);
    };
    bool any = false;
    if (const auto vips = FindOnPath("vipsthumbnail")) {
        const std::string label = "vipsthumbnail -s " + size;
        ratio(
            TimeTool(label.c_str(), {*vips, input, "-s", size, "-o", folder + "/vips.jpg[Q=92]"}));
        any = true;
    }
    if (const auto convert = FindOnPath("convert")) {
        const std::string label = "convert -resize " + size + " -quality 92";
        ratio(TimeTool(label.c_str(), {*convert, input, "-resize", size, "-quality", "92",
                                       folder + "/magick.jpg"}));
        any = true;
    }
    if (!any)
        std::printf("  neither vipsthumbnail nor convert is on PATH\n");
}

}  // namespace orvella::bench
