#pragma once

#include <string_view>

namespace orvella {

// Paths reach the search engine in two styles: the host's POSIX paths and Windows paths
// (exclude lists written on Windows, the examples of the Windows design). The separator
// tells them apart: a path beginning with "/" is POSIX, one with a drive ("C:") or a
// backslash is Windows, else one with a "/" is POSIX. A bare name counts as Windows; it
// has no separator either way.
enum class PathStyle { Windows, Posix };

PathStyle StyleOf(std::string_view path);
char SeparatorOf(PathStyle style);

// Length of the folder part of `path` in its style: everything up to and including the last
// separator (0 when there is none).
std::size_t FolderPartLength(std::string_view path);

}  // namespace orvella
