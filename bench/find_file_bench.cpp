// Walks a generated tree of 200 000 files in 5 000 folders (50 folders of 100 subfolders of
// 40 files, one in four a JPEG picture) with the file search engine and the masks the search
// window uses for JPEG files, in the calling thread and threaded with a trivial owner's
// thread, and prints files per second beside `find -xdev ( -iname '*.jpg' -o -iname '*.jpeg' )`
// on the same tree in the same run. The tree is made under the system's temporary folder and
// removed afterwards.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "owner_loop.h"
#include "tools/find_file.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFolders = 50;
constexpr int kSubfolders = 100;
constexpr int kFilesPerFolder = 40;
constexpr int kEntries = kFolders * kSubfolders * kFilesPerFolder;
constexpr int kRuns = 5;

// Of every eight files: ".jpg", ".JPEG" and six that are no JPEG picture.
const char* ExtensionOf(int i) {
    static const char* const extensions[] = {".jpg", ".txt", ".png", ".JPEG",
                                             ".htm", ".gif", ".bmp", ".doc"};
    return extensions[i % 8];
}

bool MakeTree(const std::string& root) {
    for (int f = 0; f < kFolders; ++f) {
        for (int s = 0; s < kSubfolders; ++s) {
            const std::string folder =
                root + "d" + std::to_string(f) + "/s" + std::to_string(s) + "/";
            std::filesystem::create_directories(folder);
            for (int i = 0; i < kFilesPerFolder; ++i)
                std::ofstream(folder + "file" + std::to_string(i) + ExtensionOf(i)) << i;
        }
    }
    return std::filesystem::exists(root + "d0/s0/file0.jpg");
}

struct Figures {
    double seconds = 1e9;
    long found = 0;
};

// The median of kRuns of each run, taken in turns, so a change in the machine's load
// meets all of them alike; the tree was walked once before, so every run finds it in the
// cache.
std::vector<Figures> Medians(const std::vector<std::function<long()>>& runs) {
    std::vector<std::vector<Figures>> times(runs.size());
    for (int i = 0; i < kRuns; ++i) {
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const Clock::time_point start = Clock::now();
            const long found = runs[r]();
            times[r].push_back(
                {std::chrono::duration<double>(Clock::now() - start).count(), found});
        }
    }
    std::vector<Figures> medians;
    for (std::vector<Figures>& figures : times) {
        std::sort(figures.begin(), figures.end(),
                  [](const Figures& a, const Figures& b) { return a.seconds < b.seconds; });
        medians.push_back(figures[figures.size() / 2]);
    }
    return medians;
}

void Print(const char* mode, const Figures& figures, const Figures* reference) {
    std::printf("%-32s %6ld found  %8.1f ms  %10.0f files/s", mode, figures.found,
                figures.seconds * 1000, kEntries / figures.seconds);
    if (reference != nullptr)
        std::printf("  %5.2fx find's time", figures.seconds / reference->seconds);
    std::printf("\n");
}

// find's finds, one per line, read as the engine's are delivered: each one reaches us.
long RunFind(const std::string& root) {
    const std::string command =
        "find '" + root + "' -xdev \\( -iname '*.jpg' -o -iname '*.jpeg' \\) 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    long lines = 0;
    char buffer[1 << 16];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        lines += std::count(buffer, buffer + read, '\n');
    return ::pclose(pipe) == 0 ? lines : -1;
}

}  // namespace

int main() {
    std::string root = (std::filesystem::temp_directory_path() / "orvella-bench-XXXXXX").string();
    if (::mkdtemp(root.data()) == nullptr) {
        return 1;
    }
    root += "/";
    int status = 0;
    if (!MakeTree(root)) {
        std::fprintf(stderr, "cannot make the tree in %s\n", root.c_str());
        status = 1;
    } else {
        std::printf("%d files in %d folders\n", kEntries, kFolders * kSubfolders + kFolders);
        RunFind(root);  // brings the tree into the cache
        orvella::testing::OwnerLoop owner;
        orvella::TFindFile engine(owner);
        long found = 0;
        engine.SetOnFound(
            [&](orvella::TFindFile&, const std::string&, const orvella::TFileInfo&) { ++found; });
        const std::vector<std::string> both = {root + "*.jpg", root + "*.jpeg"};
        const auto search = [&](std::vector<std::string> patterns, bool threaded) {
            return [&, patterns, threaded] {
                found = 0;
                if (!threaded) {
                    engine.IncludeFiles() = patterns;
                    engine.SetThreaded(false);
                    engine.Execute();
                    return found;
                }
                // The engine belongs to the owner's thread while it searches threaded.
                std::promise<void> done;
                owner.Run([&] {
                    engine.IncludeFiles() = patterns;
                    engine.SetThreaded(true);
                    engine.SetOnComplete([&](orvella::TFindFile&) { done.set_value(); });
                    engine.Execute();
                });
                done.get_future().wait();
                owner.Run([&] { engine.SetOnComplete(nullptr); });
                return found;
            };
        };
        // One pattern is one walk of the tree; "*.jpg" alone shows what the second mask adds.
        const std::vector<Figures> medians =
            Medians({[&] { return RunFind(root); }, search(both, false),
                     search({root + "*.jpg"}, false), search(both, true)});
        Print("find -xdev -iname (reference)", medians[0], nullptr);
        Print("engine, calling thread", medians[1], &medians[0]);
        Print("engine, calling thread, *.jpg", medians[2], &medians[0]);
        Print("engine, threaded", medians[3], &medians[0]);
        owner.Drain();
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return status;
}
