#pragma once

#include <string>
#include <string_view>

namespace orvella {

// The text of a profile file as read: UTF-8 stays as it is (a leading byte-order mark is
// dropped). A file that is not UTF-8 throughout is decoded line by line: a key or value that
// is UTF-8, or that names an existing file as it stands (a Latin-1 name copied from an old
// disk), keeps its bytes, so the path reaches the file system and is written back as it was;
// anything else is read as Windows-1252, as the program on Windows wrote it.
std::string DecodeProfileText(std::string_view bytes);

}  // namespace orvella
