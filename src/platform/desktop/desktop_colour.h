#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"
#include "platform/status.h"

namespace orvella {

// A Windows colour value: 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return red | (green << 8) | (static_cast<ColorRef>(blue) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) {
    return c & 0xFF;
}
constexpr std::uint8_t GreenOf(ColorRef c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(ColorRef c) {
    return (c >> 16) & 0xFF;
}

// The registry's form of a system colour: "R G B" in decimal.
std::optional<ColorRef> ParseRgbTriple(std::string_view text);
std::string FormatRgbTriple(ColorRef colour);
// "#RRGGBB" in upper-case hexadecimal, as the Linux desktops' colour settings take it.
std::string HashColour(ColorRef colour);

// The desktop's background colour (COLOR_BACKGROUND of GetSysColor/SetSysColors).
class DesktopColours {
public:
    virtual ~DesktopColours() = default;
    virtual ColorRef Background() const = 0;
    virtual Status SetBackground(ColorRef colour) = 0;
};

// Kept where Windows keeps it, "Control Panel\Colors" value "Background", and handed to
// the host desktop (when it has a background colour of its own) through `apply`; what the
// host says is SetBackground's answer.
class RegistryDesktopColours : public DesktopColours {
public:
    static constexpr ColorRef kWindowsDefault = MakeColorRef(58, 110, 165);
    using Apply = std::function<Status(ColorRef)>;

    RegistryDesktopColours(Registry& registry, Apply apply)
        : registry_(registry), apply_(std::move(apply)) {}
    ColorRef Background() const override;
    Status SetBackground(ColorRef colour) override;
    // The desktop is made after its colours; it is handed over once it exists.
    void SetApply(Apply apply) { apply_ = std::move(apply); }

private:
    Registry& registry_;
    Apply apply_;
};

}  // namespace orvella
