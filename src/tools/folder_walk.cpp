#include "tools/folder_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string_view>
#include <unordered_set>
#include <utility>

#include "platform/text.h"
#include "tools/file_mask.h"
#include "tools/file_matches.h"
#include "tools/folder_listing.h"

namespace orvella {
namespace {

struct FolderId {
    dev_t device;
    ino_t inode;
    bool operator==(const FolderId&) const = default;
};

struct FolderIdHash {
    std::size_t operator()(const FolderId& id) const {
        return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(id.inode) * 31 +
                                          static_cast<std::uint64_t>(id.device));
    }
};

std::chrono::system_clock::time_point TimeOf(const timespec& time) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec)));
}

TFileInfo InfoOf(std::string_view name, const struct stat& status) {
    TFileInfo info;
    info.name = name;
    info.size = static_cast<std::uint64_t>(status.st_size);
    info.attributes = HostAttributes(name, status.st_mode);
    info.modified = TimeOf(status.st_mtim);
    info.accessed = TimeOf(status.st_atim);
    info.changed = TimeOf(status.st_ctim);
    return info;
}

bool IsMountRoot(const std::string& folder) {
    struct stat self {};
    struct stat parent {};
    if (stat(folder.c_str(), &self) != 0 || stat((folder + "..").c_str(), &parent) != 0) {
        return false;
    }
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

// Types that are neither a file, a folder nor a link to one: nothing to report or enter.
bool IsSpecial(unsigned char type) {
    return type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
}

// Deep enough for any real tree: below it a folder is closed before its subfolders are
// searched, so a walk never holds more than this many descriptors.
constexpr std::size_t kHeldFolders = 64;

class Walk {
public:
    Walk(const std::vector<std::string>& masks, const WalkRules& rules, const WalkEvents& events)
        : rules_(rules), events_(events) {
        for (const std::string& mask : masks) {
            masks_.emplace_back(mask);
        }
    }

    void Run(const std::string& folder) {
        struct stat status {};
        if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            return;
        }
        device_ = status.st_dev;
        visited_.insert({status.st_dev, status.st_ino});
        Search({-1, folder.c_str()}, folder,
               IsMountRoot(folder) ? folder : RemoveTrailingBackslash(folder), 0);
    }

private:
    // How a folder is opened: its name below its open parent, or its full path (parent -1).
    struct Place {
        int parent;
        const char* name;
    };

    bool Stopped() const { return events_.stop && events_.stop(); }

    // False when the walk has to end.
    bool Search(Place place, const std::string& folder, const std::string& delivered,
                std::size_t depth) {
        if (events_.ignore_folder && events_.ignore_folder(delivered)) {
            return !Stopped();
        }
        FolderHandle dir = FolderHandle::Open(place.parent, place.name);
        if (!dir) {
            return !Stopped();
        }
        listing_.Read(dir.fd());
        for (const FolderListing::Entry& entry : listing_.entries()) {
            Match(entry);
            if (!matched_.empty() && !IsSpecial(entry.type)) {
                Report(dir.fd(), folder, delivered, entry);
            }
            if (Stopped()) {
                return false;
            }
        }
        return !rules_.subfolders || SearchSubfolders(std::move(dir), folder, depth);
    }

    // Every enterable subfolder is marked as seen before the first is searched, so a link
    // below one of them to another is not followed.
    bool SearchSubfolders(FolderHandle dir, const std::string& folder, std::size_t depth) {
        std::vector<std::string> subfolders;
        for (const FolderListing::Entry& entry : listing_.entries()) {
            if (Enterable(dir.fd(), entry)) {
                subfolders.emplace_back(listing_.Name(entry));
            }
        }
        if (depth + 1 >= kHeldFolders) {
            dir.Close();
        }
        for (const std::string& name : subfolders) {
            const std::string path = folder + name + "/";
            const Place place = dir ? Place{dir.fd(), name.c_str()} : Place{-1, path.c_str()};
            if (!Search(place, path, folder + name, depth + 1) || Stopped()) {
                return false;
            }
        }
        return true;
    }

    void Match(const FolderListing::Entry& entry) {
        matched_.clear();
        for (std::size_t m = 0; m < masks_.size(); ++m) {
            if (masks_[m].MatchesFolded(listing_.Key(entry), entry.ascii)) {
                matched_.push_back(m);
            }
        }
    }

    void Report(int fd, const std::string& folder, const std::string& delivered,
                const FolderListing::Entry& entry) {
        struct stat status {};
        if (fstatat(fd, listing_.NameText(entry), &status, 0) != 0) {
            return;  // vanished, or a link to nothing
        }
        if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
            return;
        }
        const TFileInfo info = InfoOf(listing_.Name(entry), status);
        if (!events_.found || !AcceptFile(folder, info, rules_)) {
            return;
        }
        for (std::size_t mask : matched_) {
            events_.found(mask, delivered, info);
        }
    }

    bool Enterable(int fd, const FolderListing::Entry& entry) {
        if (entry.type != DT_DIR && entry.type != DT_LNK && entry.type != DT_UNKNOWN) {
            return false;
        }
        struct stat status {};
        if (fstatat(fd, listing_.NameText(entry), &status, 0) != 0 || !S_ISDIR(status.st_mode)) {
            return false;
        }
        if (status.st_dev != device_) {
            return false;
        }
        return visited_.insert({status.st_dev, status.st_ino}).second;
    }

    std::vector<FileMask> masks_;
    const WalkRules& rules_;
    const WalkEvents& events_;
    dev_t device_ = 0;
    std::unordered_set<FolderId, FolderIdHash> visited_;
    FolderListing listing_;
    std::vector<std::size_t> matched_;  // masks matching the current entry
};

}  // namespace

bool AcceptFile(const std::string& folder, const TFileInfo& entry, const WalkRules& rules) {
    if (!AttributeRuleAccepts(entry.attributes, rules.attributes, rules.exact_attribute)) {
        return false;
    }
    return rules.excludes.empty() || !rules.excludes.Excludes(folder + entry.name);
}

void WalkFolder(const std::string& folder, const std::vector<std::string>& masks,
                const WalkRules& rules, const WalkEvents& events) {
    Walk(masks, rules, events).Run(folder);
}

}  // namespace orvella
