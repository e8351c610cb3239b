#include "tools/trash_folders.h"

#include <unistd.h>

#include "platform/environment.h"

namespace orvella {
namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

}  // namespace

TrashFolders::TrashFolders(const std::vector<std::string>& drive_roots, unsigned uid,
                           const std::string& data_home) {
    const std::string user = std::to_string(uid);
    for (const std::string& root : drive_roots) {
        const std::string base = WithSlash(root);
        folders_.push_back(base + ".Trash-" + user);
        folders_.push_back(base + ".Trash/" + user);
    }
    if (!data_home.empty())
        folders_.push_back(WithSlash(data_home) + "Trash");
}

TrashFolders TrashFolders::ForUser(const std::vector<std::string>& drive_roots,
                                   const Environment& environment) {
    return TrashFolders(drive_roots, static_cast<unsigned>(::getuid()),
                        XdgFolder(environment, "XDG_DATA_HOME", "/.local/share"));
}

bool TrashFolders::Contains(const std::string& folder) const {
    for (const std::string& trash : folders_) {
        if (folder.compare(0, trash.size(), trash) != 0)
            continue;
        // "/home/u/.local/share/Trash2" is no trash folder; ".../Trash/files" is in one.
        if (folder.size() == trash.size() || folder[trash.size()] == '/')
            return true;
    }
    return false;
}

}  // namespace orvella
