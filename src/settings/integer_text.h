#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvella {

// Decimal integers as the form storage writes them. Parsing is strict: an optional sign and
// decimal digits that fit 32 bits, nothing else (blanks included), so "12abc" is no integer
// rather than a silent 12.
std::optional<std::int32_t> ParseInteger(std::string_view text);
// The same for the few values that need 64 bits.
std::optional<std::int64_t> ParseInteger64(std::string_view text);
std::string FormatInteger(std::int32_t value);

}  // namespace orvella
