#include "platform/desktop/screen.h"

#include <charconv>

#include "platform/text.h"

namespace orvella {
namespace {

std::optional<int> ParseDimension(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    if (value <= 0 || value > 65535)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<ScreenSize> ParseScreenSize(std::string_view text) {
    text = TrimBlanks(text);
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> width = ParseDimension(text.substr(0, x));
    const std::optional<int> height = ParseDimension(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return ScreenSize{*width, *height};
}

ScreenSize HostScreen::Size() const {
    if (fixed_)
        return *fixed_;
    if (query_) {
        if (std::optional<ScreenSize> size = query_())
            return *size;
    }
    return ScreenSize{1024, 768};
}

}  // namespace orvella
