#include "settings/integer_text.h"

#include <charconv>

namespace orvella {

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    // from_chars takes "-" but not "+"; a leading "+" is what other writers may produce.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string FormatInteger(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace orvella
