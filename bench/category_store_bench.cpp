// Saves and loads picture libraries of 1 000, 10 000 and 100 000 pictures through the
// category store, and beside each a plain write (with fsync) and a plain read, line by
// line, of the same bytes in the same folder; prints the medians of kRuns runs.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "library/category_store.h"
#include "shell/message_catalogue.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

double MedianMilliseconds(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void PlainWrite(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

std::size_t PlainRead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line))
        ++lines;
    return lines;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "orvella-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr)
        return 1;
    const orvella::MessageCatalogue catalogue;
    int failures = 0;

    for (int pictures : {1000, 10000, 100000}) {
        const std::string path = folder + "/ovlimg" + std::to_string(pictures) + ".dat";
        orvella::TCategoryStore store(path, "StdImage.bmp", catalogue);
        if (!store.LoadCategories())
            return 1;
        constexpr int kCategories = 10;
        for (int c = 1; c < kCategories; ++c)
            store.CreateCategory(c, "i.bmp", "Kategorie " + std::to_string(c));
        for (int i = 0; i < pictures; ++i) {
            store.AddPicture(1 + i % (kCategories - 1),
                             "/home/user/Bilder/Ordner " + std::to_string(i / 500) + "/IMG_" +
                                 std::to_string(i) + ".jpg",
                             true);
        }
        bool saved = true;
        const double save_ms =
            MedianMilliseconds([&] { saved = saved && store.SaveCategories().ok(); });
        bool complete = saved;
        const double load_ms = MedianMilliseconds([&] {
            orvella::TCategoryStore loaded(path, "StdImage.bmp", catalogue);
            complete = complete && loaded.LoadCategories().ok() &&
                       loaded.category(0).pictures.size() == static_cast<std::size_t>(pictures);
        });
        const std::string bytes = ReadAll(path);
        const std::string plain_path = folder + "/plain.dat";
        const double write_ms = MedianMilliseconds([&] { PlainWrite(plain_path, bytes); });
        const double read_ms = MedianMilliseconds([&] { PlainRead(plain_path); });
        failures += complete ? 0 : 1;
        std::printf(
            "%7d pictures (%9zu bytes): save %7.1f ms (plain write with fsync %6.1f ms, "
            "%5.2fx), load %7.1f ms (plain read %6.1f ms, %5.2fx)%s\n",
            pictures, bytes.size(), save_ms, write_ms, save_ms / write_ms, load_ms, read_ms,
            load_ms / read_ms, complete ? "" : "  INCOMPLETE");
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
