#include "platform/desktop/desktop_colour.h"

#include <charconv>
#include <sstream>

namespace orvella {
namespace {

constexpr std::string_view kColorsKey = "Control Panel\\Colors";

}  // namespace

std::optional<ColorRef> ParseRgbTriple(std::string_view text) {
    int parts[3] = {0, 0, 0};
    const char* cursor = text.data();
    const char* end = text.data() + text.size();
    for (int& part : parts) {
        while (cursor < end && (*cursor == ' ' || *cursor == '\t'))
            ++cursor;
        const auto [next, error] = std::from_chars(cursor, end, part);
        if (error != std::errc() || part < 0 || part > 255)
            return std::nullopt;
        cursor = next;
    }
    while (cursor < end && (*cursor == ' ' || *cursor == '\t'))
        ++cursor;
    if (cursor != end)
        return std::nullopt;
    return MakeColorRef(static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
                        static_cast<std::uint8_t>(parts[2]));
}

std::string FormatRgbTriple(ColorRef colour) {
    std::ostringstream out;
    out << int(RedOf(colour)) << ' ' << int(GreenOf(colour)) << ' ' << int(BlueOf(colour));
    return out.str();
}

ColorRef RegistryDesktopColours::Background() const {
    Result<std::optional<RegistryValue>> value =
        registry_.ReadValue(RegistryRoot::CurrentUser, kColorsKey, "Background");
    if (!value || !value->has_value())
        return kWindowsDefault;
    return ParseRgbTriple((*value)->text).value_or(kWindowsDefault);
}

Status RegistryDesktopColours::SetBackground(ColorRef colour) {
    colour &= 0x00FFFFFF;
    Status status =
        registry_.WriteValues(RegistryRoot::CurrentUser, kColorsKey,
                              {RegistryValue::String("Background", FormatRgbTriple(colour))});
    if (status && apply_)
        return apply_(colour);
    return status;
}

std::string HashColour(ColorRef colour) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const std::uint8_t part : {RedOf(colour), GreenOf(colour), BlueOf(colour)}) {
        text += kHex[part >> 4];
        text += kHex[part & 0xF];
    }
    return text;
}

}  // namespace orvella
