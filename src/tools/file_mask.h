#pragma once

#include <string_view>

namespace orvella {

// Whether a directory entry's name matches a file mask in the manner of the Windows
// directory search (FindFirst): without regard to case, "*" for any characters, "?" for
// one character; "*.*" matches every name, also one without an extension; a "." before
// a wildcard or at the end also matches the end of a name ("a.*" matches "a", "*." only
// names without an extension); "?" at a "." or at the end matches nothing ("a?.txt"
// matches "a.txt"); "*" before a "." stops short of the name's last ".". Short 8.3 names
// have no part in it: "*.htm" does not match "a.html".
bool MaskMatches(std::string_view mask, std::string_view name);

}  // namespace orvella
