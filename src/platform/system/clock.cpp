#include "platform/system/clock.h"

#include <charconv>
#include <ctime>

#include "platform/text.h"

namespace orvella {

std::int64_t HostClock::Now() const {
    return fixed_ ? *fixed_ : static_cast<std::int64_t>(std::time(nullptr));
}

std::optional<std::int64_t> ParseUnixSeconds(std::string_view text) {
    text = TrimBlanks(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace orvella
