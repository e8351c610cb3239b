// Saves and loads picture libraries of 1 000, 10 000 and 100 000 pictures through the
// category store and prints the times.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "library/category_store.h"
#include "shell/message_catalogue.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
        auto start = Clock::now();
        const bool saved = store.SaveCategories().ok();
        const double save_ms = MillisecondsSince(start);

        orvella::TCategoryStore loaded(path, "StdImage.bmp", catalogue);
        start = Clock::now();
        const bool ok = loaded.LoadCategories().ok();
        const double load_ms = MillisecondsSince(start);
        const auto size = std::filesystem::file_size(path);
        const bool complete =
            ok && saved && loaded.category(0).pictures.size() == static_cast<std::size_t>(pictures);
        failures += complete ? 0 : 1;
        std::printf("%7d pictures (%9ju bytes): save %8.1f ms, load %8.1f ms%s\n", pictures,
                    static_cast<std::uintmax_t>(size), save_ms, load_ms,
                    complete ? "" : "  INCOMPLETE");
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
