#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tools/exclude_list.h"
#include "tools/file_attributes.h"
#include "tools/file_info.h"

namespace orvella {

// What a walk looks for.
struct WalkRules {
    bool subfolders = true;
    TFileAttributes attributes = kDefaultSearchAttributes;
    bool exact_attribute = false;
    ExcludeList excludes;
};

// Where a walk reports to. Folders are given as the search delivers them: without their
// trailing "/", except a mount point (the host's drive root), which keeps it.
struct WalkEvents {
    // Asked before a folder is searched; true skips it and everything below it. Only for a
    // walk with one mask: what it skips would differ from mask to mask.
    std::function<bool(const std::string& folder)> ignore_folder;
    // An accepted entry matching masks[mask]; an entry matching several masks is reported
    // once for each, in the order of the masks.
    std::function<void(std::size_t mask, const std::string& folder, const TFileInfo& entry)> found;
    // Polled after every entry; true ends the walk.
    std::function<bool()> stop;
};

// The entry test of the search: the attribute rule, then the exclude list (matched against
// `folder` + the entry's name; `folder` ends with "/").
bool AcceptFile(const std::string& folder, const TFileInfo& entry, const WalkRules& rules);

// Searches `folder` (a full path ending with "/") for entries matching any of `masks`: its
// own entries first, then, with rules.subfolders, each subfolder completely, depth first, in
// the order of their names. So the finds of one mask come in the order a walk for that mask
// alone would report them. Entries whose name begins with "." are passed over, and so are
// FIFOs, sockets and devices (nothing a picture can be read from); an entry is looked at
// (stat) only when a mask matches its name or it may be a folder to enter. Symbolic links are
// followed, but a folder is searched once only (a link cycle ends), and a folder on another
// device than `folder` is not entered, so a walk of "/" stays on its drive and skips /proc,
// /sys and network shares. A folder that cannot be listed yields nothing.
// Exceptions of the events pass through.
void WalkFolder(const std::string& folder, const std::vector<std::string>& masks,
                const WalkRules& rules, const WalkEvents& events);

}  // namespace orvella
