// The search against a plain walk per pattern on generated trees: the events the owner sees
// must be the same, whatever the engine does to walk a folder once for several patterns or
// to hand its finds over in batches.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "owner_loop.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "tools/file_mask.h"
#include "tools/file_matches.h"
#include "tools/find_file.h"

namespace orvella {
namespace {

struct SearchSetup {
    std::vector<std::string> patterns;
    std::vector<std::string> excludes;
    bool subfolders = true;
    TFileAttributes attributes = kDefaultSearchAttributes;
    bool exact = false;
};

// OnNewFolder's answer: a pure function of the folder and how often it was asked, so the
// engine and the plain walk get the same answers when they ask in the same order.
class FolderSkipper {
public:
    bool operator()(const std::string& folder) {
        const int asked = asked_[folder]++;
        return std::hash<std::string>()(folder + std::to_string(asked)) % 5 == 0;
    }

private:
    std::map<std::string, int> asked_;
};

std::string FindEvent(const std::string& folder, const TFileInfo& info) {
    return "F " + folder + " | " + info.name + " " + std::to_string(info.attributes.Bits()) + " " +
           std::to_string(info.size);
}

// One walk per pattern, a folder's files first, then its subfolders, both by folded name.
class PlainWalk {
public:
    PlainWalk(const SearchSetup& setup, FolderSkipper* skipper)
        : setup_(setup), skipper_(skipper) {}

    std::vector<std::string> Run() {
        for (const std::string& pattern : setup_.patterns) {
            const std::size_t split = pattern.rfind('/');
            struct stat status {};
            if (stat(pattern.substr(0, split + 1).c_str(), &status) != 0) {
                continue;
            }
            device_ = status.st_dev;
            visited_ = {{status.st_dev, status.st_ino}};
            Search(pattern.substr(0, split + 1), pattern.substr(split + 1));
        }
        events_.push_back("C");
        return events_;
    }

private:
    void Search(const std::string& folder, const std::string& mask) {
        const std::string delivered = RemoveTrailingBackslash(folder);
        if (skipper_ != nullptr) {
            events_.push_back("N " + delivered);
            if ((*skipper_)(delivered)) {
                return;
            }
        }
        std::vector<std::pair<std::string, std::string>> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string name = entry.path().filename().string();
            if (name[0] != '.') {
                names.emplace_back(FoldCase(name), name);
            }
        }
        std::sort(names.begin(), names.end());
        for (const auto& [key, name] : names) {
            struct stat status {};
            if (!MaskMatches(mask, name) || stat((folder + name).c_str(), &status) != 0 ||
                (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode))) {
                continue;
            }
            TFileInfo info;
            info.name = name;
            info.size = static_cast<std::uint64_t>(status.st_size);
            info.attributes = HostAttributes(name, status.st_mode);
            if (AttributeRuleAccepts(info.attributes, setup_.attributes, setup_.exact) &&
                std::none_of(setup_.excludes.begin(), setup_.excludes.end(),
                             [&](const std::string& p) { return FileMatches(folder + name, p); })) {
                events_.push_back(FindEvent(delivered, info));
            }
        }
        // A folder's subfolders are all marked as seen before the first is searched, so a
        // link below one of them to another is not followed.
        std::vector<std::string> subfolders;
        for (const auto& [key, name] : names) {
            struct stat status {};
            if (setup_.subfolders && stat((folder + name).c_str(), &status) == 0 &&
                S_ISDIR(status.st_mode) && status.st_dev == device_ &&
                visited_.insert({status.st_dev, status.st_ino}).second) {
                subfolders.push_back(folder + name + "/");
            }
        }
        for (const std::string& subfolder : subfolders) {
            Search(subfolder, mask);
        }
    }

    const SearchSetup& setup_;
    FolderSkipper* skipper_;
    std::vector<std::string> events_;
    dev_t device_ = 0;
    std::set<std::pair<dev_t, ino_t>> visited_;
};

class TreeMaker {
public:
    TreeMaker(unsigned seed, const std::string& root) : random_(seed), root_(root) {}

    std::string Name() {
        static const char* const stems[] = {"a",    "A",    "b",        "Bild",
                                            "bild", "x1",   "\xC3\x84", "\xC3\xA4",
                                            "foto", "Foto", ".hidden",  "ba"};
        static const char* const extensions[] = {".jpg", ".JPG", ".jpeg",   ".Jpeg",   ".png",
                                                 ".txt", "",     ".tar.gz", ".jpg.bak"};
        return std::string(stems[Pick(std::size(stems))]) + std::string(Pick(3) == 0 ? "b" : "") +
               extensions[Pick(std::size(extensions))];
    }

    std::size_t Pick(std::size_t count) { return random_() % count; }
    bool Chance(int percent) { return static_cast<int>(Pick(100)) < percent; }

    void Make() {
        for (std::size_t i = 0, n = 2 + Pick(7); i < n; ++i) {
            const std::string folder = folders_[Pick(folders_.size())] + Name() + "/";
            if (std::count(folder.begin(), folder.end(), '/') <= 3 &&
                std::filesystem::create_directory(root_ + folder)) {
                folders_.push_back(folder);
            }
        }
        for (std::size_t i = 0, n = 5 + Pick(20); i < n; ++i) {
            const std::string file = folders_[Pick(folders_.size())] + Name();
            if (!std::filesystem::exists(root_ + file)) {
                std::ofstream(root_ + file) << std::string(Pick(50), 'x');
                files_.push_back(file);
                if (Chance(15)) {
                    std::filesystem::permissions(root_ + file, std::filesystem::perms(0444));
                }
            }
        }
        MakeLinks();
    }

    void MakeLinks() {
        std::error_code ignored;
        for (std::size_t i = 0, n = Pick(4); i < n; ++i) {
            const std::string at = root_ + folders_[Pick(folders_.size())] + Name();
            const std::size_t kind = Pick(3);
            if (kind == 0) {
                std::filesystem::create_directory_symlink(root_ + folders_[Pick(folders_.size())],
                                                          at, ignored);
            } else if (kind == 1 && !files_.empty()) {
                std::filesystem::create_symlink(root_ + files_[Pick(files_.size())], at, ignored);
            } else {
                std::filesystem::create_symlink(root_ + "nothing", at, ignored);
            }
        }
        if (folders_.size() > 1 && Chance(30)) {
            locked_ = root_ + folders_[1 + Pick(folders_.size() - 1)];
            chmod(locked_.c_str(), 0);
        }
    }

    SearchSetup RandomSetup() {
        static const char* const masks[] = {"*.jpg",     "*.JP?", "*.jp*",  "?*.png", "a*",
                                            "*",         "*.*",   "b?ld.*", "*.",     "*a*.j?g",
                                            "\xC3\xA4*", "x?.*",  "*.jpeg"};
        SearchSetup setup;
        for (std::size_t i = 0, n = 1 + Pick(4); i < n; ++i) {
            const std::string& folder = Chance(65) ? folders_[0] : folders_[Pick(folders_.size())];
            setup.patterns.push_back(root_ + folder + masks[Pick(std::size(masks))]);
        }
        for (std::size_t i = 0, n = Pick(3); i < n && !files_.empty(); ++i) {
            const std::string& file = files_[Pick(files_.size())];
            setup.excludes.push_back(Chance(50)
                                         ? file.substr(file.find_last_of('/') + 1)
                                         : "/" + file.substr(0, file.rfind('/') + 1) + "*.png");
        }
        setup.subfolders = Chance(80);
        using enum TFileAttribute;
        const TFileAttributes choices[] = {kDefaultSearchAttributes, TFileAttributes{ffDirectory},
                                           TFileAttributes{ffReadonly}, TFileAttributes{ffArchive}};
        setup.attributes = Chance(60) ? choices[0] : choices[Pick(std::size(choices))];
        setup.exact = Chance(20);
        return setup;
    }

    // Gives the locked folder back, so the tree can be removed.
    void Unlock() {
        if (!locked_.empty()) {
            chmod(locked_.c_str(), 0755);
        }
    }

private:
    std::mt19937 random_;
    std::string root_;
    std::vector<std::string> folders_{""};
    std::vector<std::string> files_;
    std::string locked_;
};

std::vector<std::string> RunEngine(const SearchSetup& setup, bool threaded,
                                   FolderSkipper* skipper) {
    testing::OwnerLoop owner;
    TFindFile engine(owner);
    std::vector<std::string> events;
    std::promise<void> completed;
    engine.IncludeFiles() = setup.patterns;
    engine.ExcludeFiles() = setup.excludes;
    engine.SetSubfolders(setup.subfolders);
    engine.SetAttributes(setup.attributes);
    engine.SetExactAttribute(setup.exact);
    engine.SetThreaded(threaded);
    engine.SetOnFound([&](TFindFile&, const std::string& folder, const TFileInfo& info) {
        events.push_back(FindEvent(folder, info));
    });
    if (skipper != nullptr) {
        engine.SetOnNewFolder([&](TFindFile&, const std::string& folder, bool& ignore) {
            events.push_back("N " + folder);
            ignore = (*skipper)(folder);
        });
    }
    engine.SetOnComplete([&](TFindFile&) {
        events.push_back("C");
        completed.set_value();
    });
    owner.Run([&] { engine.Execute(); });
    completed.get_future().wait();
    owner.Drain();
    return events;
}

std::string Describe(const SearchSetup& setup) {
    std::string text = "\npatterns:";
    for (const std::string& pattern : setup.patterns) {
        text += " " + pattern;
    }
    text += "\nexcludes:";
    for (const std::string& pattern : setup.excludes) {
        text += " " + pattern;
    }
    return text + "\nsubfolders " + std::to_string(setup.subfolders) + ", attributes " +
           std::to_string(setup.attributes.Bits()) + (setup.exact ? " exact" : "");
}

TEST(FindFileOrder, EventsEqualAPlainWalkPerPatternOnGeneratedTrees) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        testing::TempDir dir;
        TreeMaker maker(seed, dir.path());
        maker.Make();
        for (int round = 0; round < 3; ++round) {
            const SearchSetup setup = maker.RandomSetup();
            const std::vector<std::string> expected = PlainWalk(setup, nullptr).Run();
            FolderSkipper plain_skipper;
            const std::vector<std::string> expected_asked = PlainWalk(setup, &plain_skipper).Run();
            for (bool threaded : {false, true}) {
                SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round) +
                             (threaded ? ", threaded" : ", calling thread") + Describe(setup));
                EXPECT_EQ(RunEngine(setup, threaded, nullptr), expected);
                FolderSkipper skipper;
                EXPECT_EQ(RunEngine(setup, threaded, &skipper), expected_asked);
            }
        }
        maker.Unlock();
    }
}

}  // namespace
}  // namespace orvella
