#include "tools/trash_folders.h"

#include "platform/system/environment.h"

namespace orvella {
namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TrashFolders::TrashFolders(const std::vector<std::string>& drive_roots,
                           const std::string& data_home) {
    for (const std::string& root : drive_roots)
        drive_prefixes_.push_back(WithSlash(root) + ".Trash");
    if (!data_home.empty())
        home_trash_ = WithSlash(data_home) + "Trash";
}

TrashFolders TrashFolders::ForUser(const std::vector<std::string>& drive_roots,
                                   const Environment& environment) {
    return TrashFolders(drive_roots, XdgFolder(environment, "XDG_DATA_HOME", "/.local/share"));
}

bool TrashFolders::Contains(const std::string& folder) const {
    // Like "?:\recycle*": any name beginning so, at the drive's root, and all below it.
    for (const std::string& prefix : drive_prefixes_)
        if (StartsWith(folder, prefix))
            return true;
    // The home trash is one folder: "Trash2" beside it is none.
    return !home_trash_.empty() && StartsWith(folder, home_trash_) &&
           (folder.size() == home_trash_.size() || folder[home_trash_.size()] == '/');
}

}  // namespace orvella
