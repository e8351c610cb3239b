#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace orvella {

// The Exec line of a desktop entry for `program` with `arguments`: each part quoted where
// it needs it, with the characters the entry format reserves escaped, so a program path
// with blanks, quotes or "%" still starts.
std::string DesktopEntryExec(const std::string& program, const std::vector<std::string>& arguments);

// A value as a desktop entry file holds it: "\" doubled, since the file's own escapes are
// read before the Exec line's quoting.
std::string DesktopEntryValue(const std::string& text);

// The XDG autostart entry that makes the desktop start the program at log-in, written
// atomically; replaced when it is there.
Status WriteAutostartEntry(const std::string& entry_path, const std::string& program,
                           const std::vector<std::string>& arguments);
// Removing an entry that is not there is no error.
Status RemoveAutostartEntry(const std::string& entry_path);

}  // namespace orvella
