#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// CopyFileA with fail-if-exists false: `target` becomes a byte copy of `source`, replacing
// an earlier file, and takes the source's permissions as the copy takes its attributes.
// The target is replaced atomically, so a failed copy leaves the earlier one whole.
Status CopyFileReplacing(const std::string& source, const std::string& target);

// CopyFileReplacing for a copy the user names ("save as"): a `target` that is `source`
// itself under another name (a link, "a/../a/b.jpg") fails and leaves the file as it is.
Status CopyFileToOther(const std::string& source, const std::string& target);

// A file nobody may write to is what Windows calls read-only.
bool IsReadOnlyFile(const std::string& path);

// SetFileAttributes(FILE_ATTRIBUTE_NORMAL): readable and writable by its owner, readable
// by everyone, nothing else.
Status MakeFileNormal(const std::string& path);

}  // namespace orvella
