#include "settings/stored_text.h"

#include "platform/text.h"
#include "settings/integer_text.h"

namespace orvella {

std::string BoolToStoredText(bool value) {
    return value ? "-1" : "0";
}

bool StoredTextToBool(std::string_view text) {
    return StoredTextToInt(text, 0) != 0;
}

std::int32_t StoredTextToInt(std::string_view text, std::int32_t default_value) {
    return ParseInteger(TrimBlanks(text)).value_or(default_value);
}

std::string IntToStoredText(std::int32_t value) {
    return FormatInteger(value);
}

}  // namespace orvella
