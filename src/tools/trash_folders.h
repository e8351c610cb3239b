#pragma once

#include <string>
#include <vector>

namespace orvella {

class Environment;

// The trash folders of the host, which a search for pictures passes over, as the recycle
// bins of a drive are on Windows: on each drive every folder at its root whose name begins
// with ".Trash" (the freedesktop.org trash of a mount, ".Trash-<uid>" or ".Trash/<uid>",
// of any user), and the home trash "$XDG_DATA_HOME/Trash".
class TrashFolders {
public:
    TrashFolders() = default;
    TrashFolders(const std::vector<std::string>& drive_roots, const std::string& data_home);

    // The home trash as the environment places it.
    static TrashFolders ForUser(const std::vector<std::string>& drive_roots,
                                const Environment& environment);

    // Whether `folder` (as the search delivers it) is a trash folder or lies below one.
    bool Contains(const std::string& folder) const;

    const std::string& home_trash() const { return home_trash_; }

private:
    std::vector<std::string> drive_prefixes_;  // "<root>.Trash"
    std::string home_trash_;                   // without trailing "/"
};

}  // namespace orvella
