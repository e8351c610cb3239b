#include "tools/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_set>
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

// FoldCase with a shortcut for the plain ASCII names that most folders hold.
void AppendFolded(std::string& out, std::string_view name) {
    const bool ascii = std::all_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        out += FoldCase(name);
        return;
    }
    for (char c : name) {
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    }
}

// A folder's entries in the order the search lists them (by folded name, as NTFS lists a
// folder), names and folded names kept in one buffer, so a folder costs a few allocations
// however many entries it has. Reused from folder to folder.
class Listing {
public:
    struct Entry {
        std::size_t name_at;
        std::size_t name_size;
        std::size_t key_at;
        std::size_t key_size;
        unsigned char type;
    };

    void Read(DIR* dir) {
        text_.clear();
        entries_.clear();
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            const std::string_view name(entry->d_name);
            Entry listed{text_.size(), name.size(), 0, 0, entry->d_type};
            text_ += name;
            listed.key_at = text_.size();
            AppendFolded(text_, name);
            listed.key_size = text_.size() - listed.key_at;
            entries_.push_back(listed);
        }
        std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
            const int by_key = Key(a).compare(Key(b));
            return by_key != 0 ? by_key < 0 : Name(a) < Name(b);
        });
    }

    const std::vector<Entry>& entries() const { return entries_; }
    std::string_view Name(const Entry& entry) const {
        return std::string_view(text_).substr(entry.name_at, entry.name_size);
    }
    std::string_view Key(const Entry& entry) const {
        return std::string_view(text_).substr(entry.key_at, entry.key_size);
    }

private:
    std::string text_;
    std::vector<Entry> entries_;
};

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
        listing_.Read(dir.get());
        const int fd = dirfd(dir.get());
        for (const Listing::Entry& entry : listing_.entries()) {
            Match(listing_.Key(entry));
            if (!matched_.empty() && !IsSpecial(entry.type)) {
                Report(fd, folder, delivered, listing_.Name(entry));
            }
            if (Stopped()) {
                return false;
            }
        }
        if (!rules_.subfolders) {
            return true;
        }
        std::vector<std::string> subfolders;
        for (const Listing::Entry& entry : listing_.entries()) {
            if (Enterable(fd, entry)) {
                subfolders.emplace_back(listing_.Name(entry));
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

    void Match(std::string_view key) {
        matched_.clear();
        for (std::size_t m = 0; m < masks_.size(); ++m) {
            if (masks_[m].MatchesFolded(key)) {
                matched_.push_back(m);
            }
        }
    }

    void Report(int fd, const std::string& folder, const std::string& delivered,
                std::string_view name) {
        const std::string name_text(name);
        struct stat status {};
        if (fstatat(fd, name_text.c_str(), &status, 0) != 0) {
            return;  // vanished, or a link to nothing
        }
        if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
            return;
        }
        const TFileInfo info = InfoOf(name, status);
        if (!events_.found || !AcceptFile(folder, info, rules_)) {
            return;
        }
        for (std::size_t mask : matched_) {
            events_.found(mask, delivered, info);
        }
    }

    bool Enterable(int fd, const Listing::Entry& entry) {
        if (entry.type != DT_DIR && entry.type != DT_LNK && entry.type != DT_UNKNOWN) {
            return false;
        }
        const std::string name(listing_.Name(entry));
        struct stat status {};
        if (fstatat(fd, name.c_str(), &status, 0) != 0 || !S_ISDIR(status.st_mode)) {
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
    Listing listing_;
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
