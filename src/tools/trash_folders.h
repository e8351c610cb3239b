#pragma once

#include <string>
#include <vector>

namespace orvella {

class Environment;

// The trash folders of the host, which a search for pictures passes over: on each drive
// "<root>.Trash-<uid>" and "<root>.Trash/<uid>" (the freedesktop.org trash of a mount), and
// the home trash "$XDG_DATA_HOME/Trash". Folders are kept without trailing "/".
class TrashFolders {
public:
    TrashFolders() = default;
    TrashFolders(const std::vector<std::string>& drive_roots, unsigned uid,
                 const std::string& data_home);

    // The home trash from the environment and the running user's trash on `drive_roots`.
    static TrashFolders ForUser(const std::vector<std::string>& drive_roots,
                                const Environment& environment);

    // Whether `folder` (as the search delivers it) is a trash folder or lies below one.
    bool Contains(const std::string& folder) const;

    const std::vector<std::string>& folders() const { return folders_; }

private:
    std::vector<std::string> folders_;
};

}  // namespace orvella
