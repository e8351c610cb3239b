// Walks a generated tree of 50 000 files (50 folders of 10 subfolders of 100 files, half of
// them pictures) with the file search engine, in the calling thread and threaded with a
// trivial owner's thread, and prints files per second. The tree is made under the system's
// temporary folder and removed afterwards.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>

#include "owner_loop.h"
#include "tools/find_file.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFolders = 50;
constexpr int kSubfolders = 10;
constexpr int kFilesPerFolder = 100;
constexpr int kRuns = 3;

bool MakeTree(const std::string& root) {
    for (int f = 0; f < kFolders; ++f) {
        for (int s = 0; s < kSubfolders; ++s) {
            const std::string folder =
                root + "d" + std::to_string(f) + "/s" + std::to_string(s) + "/";
            std::filesystem::create_directories(folder);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                const char* extension = i % 2 == 0 ? ".jpg" : ".txt";
                std::ofstream(folder + "file" + std::to_string(i) + extension) << i;
            }
        }
    }
    return std::filesystem::exists(root + "d0/s0/file0.jpg");
}

struct Figures {
    double seconds = 1e9;
    int found = 0;
};

// The best of kRuns walks; the first run also warms the cache for the others.
Figures Measure(orvella::TFindFile& engine, const std::function<void()>& run) {
    Figures best;
    for (int i = 0; i < kRuns; ++i) {
        int found = 0;
        engine.SetOnFound(
            [&](orvella::TFindFile&, const std::string&, const orvella::TFileInfo&) { ++found; });
        const Clock::time_point start = Clock::now();
        run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best.seconds = std::min(best.seconds, seconds);
        best.found = found;
    }
    return best;
}

void Print(const char* mode, const Figures& figures) {
    constexpr int kEntries = kFolders * kSubfolders * kFilesPerFolder;
    std::printf("%-28s %6d found  %8.1f ms  %10.0f files/s listed  %10.0f finds/s\n", mode,
                figures.found, figures.seconds * 1000, kEntries / figures.seconds,
                figures.found / figures.seconds);
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
        orvella::testing::OwnerLoop owner;
        orvella::TFindFile engine(owner);
        engine.IncludeFiles() = {root + "*.jpg"};

        Print("calling thread, *.jpg", Measure(engine, [&] { engine.Execute(); }));

        engine.SetThreaded(true);
        Print("threaded, *.jpg", Measure(engine, [&] {
                  std::promise<void> done;
                  engine.SetOnComplete([&](orvella::TFindFile&) { done.set_value(); });
                  owner.Post([&] { engine.Execute(); });
                  done.get_future().wait();
              }));

        engine.IncludeFiles() = {root + "*.jpg", root + "*.txt"};
        engine.ExcludeFiles() = {"/s3/file10.jpg", "/nowhere/else.jpg"};
        Print("threaded, 2 masks, excludes", Measure(engine, [&] {
                  std::promise<void> done;
                  engine.SetOnComplete([&](orvella::TFindFile&) { done.set_value(); });
                  owner.Post([&] { engine.Execute(); });
                  done.get_future().wait();
              }));
        owner.Drain();
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return status;
}
