// Writes a profile file of 100 000 keys in one batch, reads it back key by key, and does
// the same with a plain write and read of a file of the same size for comparison. The
// reads are the medians of kRuns runs each.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile/profile_file.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double MedianMilliseconds(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(MillisecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string folder = (std::filesystem::temp_directory_path() / "orvella-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr)
        return 1;
    const std::string profile_path = folder + "/ovlimg.dat";
    const std::string plain_path = folder + "/plain.dat";

    orvella::ProfileDocument document;
    for (int i = 0; i < keys; ++i) {
        document.SetValue("Cat_1.Wallpapers",
                          "/home/user/Pictures/Holiday " + std::to_string(i / 100) + "/IMG_" +
                              std::to_string(i) + ".jpg",
                          "");
    }

    orvella::ProfileFile file(profile_path);
    auto start = Clock::now();
    if (!file.Replace(document))
        return 1;
    const double write_ms = MillisecondsSince(start);

    std::size_t found = 0;
    const double read_ms = MedianMilliseconds([&] {
        found = 0;
        orvella::Result<orvella::ProfileDocument> loaded = file.Load();
        if (loaded) {
            loaded->ForEachKey("Cat_1.Wallpapers", [&](std::string_view key) {
                found += loaded->Value("Cat_1.Wallpapers", key).has_value() ? 1 : 0;
            });
        }
    });

    const std::string bytes = document.Serialize();
    start = Clock::now();
    {
        std::ofstream out(plain_path, std::ios::binary);
        out << bytes;
        out.flush();
        std::FILE* handle = std::fopen(plain_path.c_str(), "r");
        if (handle != nullptr) {
            ::fsync(::fileno(handle));
            std::fclose(handle);
        }
    }
    const double plain_write_ms = MillisecondsSince(start);
    std::size_t plain_lines = 0;
    const double plain_read_ms = MedianMilliseconds([&] {
        plain_lines = 0;
        std::ifstream in(plain_path, std::ios::binary);
        std::string line;
        while (std::getline(in, line))
            ++plain_lines;
    });

    std::printf("profile of %d keys, %zu bytes\n", keys, bytes.size());
    std::printf("  batch write (atomic, fsync):  %8.1f ms\n", write_ms);
    std::printf(
        "  read back, every key looked up: %6.1f ms (%zu keys found, %.2fx the plain read)\n",
        read_ms, found, read_ms / plain_read_ms);
    std::printf("  plain write (fsync):          %8.1f ms\n", plain_write_ms);
    std::printf("  plain read, line by line:     %8.1f ms (%zu lines)\n", plain_read_ms,
                plain_lines);
    std::filesystem::remove_all(folder);
    return found == static_cast<std::size_t>(keys) ? 0 : 1;
}
