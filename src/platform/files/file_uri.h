#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvella {

// "/home/a b/x.jpg" -> "file:///home/a%20b/x.jpg": every byte outside the unreserved set
// and "/" is percent-encoded, so the desktop reads back exactly the file we mean.
std::string FileUri(std::string_view absolute_path);

// The path a local "file://" URI names, its percent-escapes decoded; nullopt for another
// scheme, a remote host, or a broken escape.
std::optional<std::string> PathFromFileUri(std::string_view uri);

}  // namespace orvella
