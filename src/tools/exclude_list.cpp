#include "tools/exclude_list.h"

#include <algorithm>
#include <utility>

#include "tools/file_matches.h"
#include "tools/path_style.h"

namespace orvella {
namespace {

// The name part as FileMatches compares it.
std::string UpperName(std::string_view path) {
    std::string name(path.substr(FolderPartLength(path)));
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

}  // namespace

ExcludeList::ExcludeList(std::vector<std::string> patterns) : patterns_(std::move(patterns)) {
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
        std::string name = UpperName(patterns_[i]);
        if (name.empty() || name.find_first_of("*?") != std::string::npos) {
            wild_.push_back(i);
        } else {
            plain_by_name_.emplace(std::move(name), i);
        }
    }
}

bool ExcludeList::Excludes(std::string_view file) const {
    if (patterns_.empty()) {
        return false;
    }
    if (!plain_by_name_.empty()) {
        const auto [first, last] = plain_by_name_.equal_range(UpperName(file));
        for (auto it = first; it != last; ++it) {
            if (FileMatches(file, patterns_[it->second])) {
                return true;
            }
        }
    }
    return std::any_of(wild_.begin(), wild_.end(),
                       [&](std::size_t i) { return FileMatches(file, patterns_[i]); });
}

}  // namespace orvella
