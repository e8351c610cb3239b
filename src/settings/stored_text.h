#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvella {

// The text forms of a form store's named values. A value is kept as text, so a window reads
// and writes its flags and numbers through these.

// True is "-1", false "0", as the data files brought over from Windows hold them.
std::string BoolToStoredText(bool value);
// Any integer other than 0 is true; text that is no integer is false.
bool StoredTextToBool(std::string_view text);
// Blanks around the number are allowed; text that is no integer gives `default_value`.
std::int32_t StoredTextToInt(std::string_view text, std::int32_t default_value = 0);
std::string IntToStoredText(std::int32_t value);

}  // namespace orvella
