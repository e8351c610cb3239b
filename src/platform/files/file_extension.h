#pragma once

#include <string>
#include <string_view>

namespace orvella {

// The extension of a path's file name, from its last dot, dot included, as spelled;
// empty when the name has no dot.
std::string_view ExtensionOf(std::string_view path);

// The extension in lower case, as the ANSI lower case makes it.
std::string LoweredExtension(std::string_view path);

// Whether the path names an HTML page (".htm", ".html", in any case).
bool IsPagePath(std::string_view path);

}  // namespace orvella
