#include "tools/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

#include "platform/text.h"
#include "tools/file_mask.h"
#include "tools/file_matches.h"

namespace orvella {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

struct Listed {
    std::string key;  // the folded name: the listing's order, as NTFS lists a folder
    std::string name;
    unsigned char type;
};

struct FolderId {
    dev_t device;
    ino_t inode;
    auto operator<=>(const FolderId&) const = default;
};

std::chrono::system_clock::time_point TimeOf(const timespec& time) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec)));
}

TFileInfo InfoOf(const std::string& name, const struct stat& status) {
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

class Walk {
public:
    Walk(const std::string& mask, const WalkRules& rules, const WalkEvents& events)
        : mask_(mask), rules_(rules), events_(events) {}

    void Run(const std::string& folder) {
        struct stat status {};
        if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            return;
        }
        device_ = status.st_dev;
        visited_.insert({status.st_dev, status.st_ino});
        Search(folder, IsMountRoot(folder) ? folder : RemoveTrailingBackslash(folder));
    }

private:
    bool Stopped() const { return events_.stop && events_.stop(); }

    // False when the walk has to end.
    bool Search(const std::string& folder, const std::string& delivered) {
        if (events_.ignore_folder && events_.ignore_folder(delivered)) {
            return !Stopped();
        }
        DirHandle dir(opendir(folder.c_str()));
        if (!dir) {
            return !Stopped();
        }
        std::vector<Listed> entries;
        while (const dirent* entry = readdir(dir.get())) {
            if (entry->d_name[0] != '.') {
                entries.push_back({FoldCase(entry->d_name), entry->d_name, entry->d_type});
            }
        }
        std::sort(entries.begin(), entries.end(), [](const Listed& a, const Listed& b) {
            return std::tie(a.key, a.name) < std::tie(b.key, b.name);
        });

        const int fd = dirfd(dir.get());
        for (const Listed& entry : entries) {
            if (MaskMatches(mask_, entry.name)) {
                Report(fd, folder, delivered, entry.name);
            }
            if (Stopped()) {
                return false;
            }
        }
        if (!rules_.subfolders) {
            return true;
        }
        std::vector<std::string> subfolders;
        for (const Listed& entry : entries) {
            if (Enterable(fd, entry)) {
                subfolders.push_back(entry.name);
            }
        }
        // Closed before descending, so a deep tree does not hold one descriptor per level.
        dir.reset();
        for (const std::string& name : subfolders) {
            const std::string path = folder + name + "/";
            if (!Search(path, folder + name) || Stopped()) {
                return false;
            }
        }
        return true;
    }

    void Report(int fd, const std::string& folder, const std::string& delivered,
                const std::string& name) {
        struct stat status {};
        if (fstatat(fd, name.c_str(), &status, 0) != 0) {
            return;  // vanished, or a link to nothing
        }
        if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
            return;
        }
        const TFileInfo info = InfoOf(name, status);
        if (events_.found && AcceptFile(folder, info, rules_)) {
            events_.found(delivered, info);
        }
    }

    bool Enterable(int fd, const Listed& entry) {
        if (entry.type != DT_DIR && entry.type != DT_LNK && entry.type != DT_UNKNOWN) {
            return false;
        }
        struct stat status {};
        if (fstatat(fd, entry.name.c_str(), &status, 0) != 0 || !S_ISDIR(status.st_mode)) {
            return false;
        }
        if (status.st_dev != device_) {
            return false;
        }
        return visited_.insert({status.st_dev, status.st_ino}).second;
    }

    const std::string& mask_;
    const WalkRules& rules_;
    const WalkEvents& events_;
    dev_t device_ = 0;
    std::set<FolderId> visited_;
};

}  // namespace

bool AcceptFile(const std::string& folder, const TFileInfo& entry, const WalkRules& rules) {
    if (!AttributeRuleAccepts(entry.attributes, rules.attributes, rules.exact_attribute)) {
        return false;
    }
    const std::string path = folder + entry.name;
    return std::none_of(rules.exclude_files.begin(), rules.exclude_files.end(),
                        [&](const std::string& pattern) { return FileMatches(path, pattern); });
}

void WalkFolder(const std::string& folder, const std::string& mask, const WalkRules& rules,
                const WalkEvents& events) {
    Walk(mask, rules, events).Run(folder);
}

}  // namespace orvella
