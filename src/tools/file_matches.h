#pragma once

#include <string>
#include <string_view>

namespace orvella {

// The exclude-list test of the file search: `file` is a full path, `pattern` a path whose
// folder part, when given, must be the end of the file's folder (the pattern C:\Bilder\a.jpg
// also matches C:\Alt\Bilder\a.jpg), and whose name may hold "*" and "?". Letters compare as
// upper-cased ASCII. Both path styles work: Windows paths ("C:\Bilder\a.jpg", the drive
// letter checked and "*" or "?" standing for any drive) and POSIX paths ("/Bilder/a.jpg").
bool FileMatches(std::string_view file, std::string_view pattern);

// Removes one trailing separator, unless the text is a single character or the separator
// follows a ":" (a drive root such as "C:\" or "/" keeps it; "C:\Bilder\" and "/Bilder/"
// lose it).
std::string RemoveTrailingBackslash(std::string_view text);

}  // namespace orvella
