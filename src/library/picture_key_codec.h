#pragma once

#include <string>
#include <string_view>

namespace orvella {

// A picture path is stored as a key of its category's ".Wallpapers" section. Some paths
// cannot be keys: a profile reader would cut them at "=", trim their blanks, or take them
// for a comment or a section header. Those go to a section of their own (see
// category_store.cpp) as quoted values, with line breaks and "%" escaped.
bool FitsPictureKey(std::string_view path);
std::string EscapePictureValue(std::string_view path);
std::string UnescapePictureValue(std::string_view value);

}  // namespace orvella
