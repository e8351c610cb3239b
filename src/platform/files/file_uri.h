#pragma once

#include <string>
#include <string_view>

namespace orvella {

// "/home/a b/x.jpg" -> "file:///home/a%20b/x.jpg": every byte outside the unreserved set
// and "/" is percent-encoded, so the desktop reads back exactly the file we mean.
std::string FileUri(std::string_view absolute_path);

}  // namespace orvella
