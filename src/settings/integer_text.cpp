#include "settings/integer_text.h"

#include <charconv>

namespace orvella {

namespace {

template <typename Integer>
std::optional<Integer> Parse(std::string_view text) {
    // from_chars takes "-" but not "+"; a leading "+" is what other writers may produce.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    Integer value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    return Parse<std::int32_t>(text);
}

std::optional<std::int64_t> ParseInteger64(std::string_view text) {
    return Parse<std::int64_t>(text);
}

std::string FormatInteger(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace orvella
