#include "platform/system/windows_version.h"

#include <array>

#include "platform/text.h"

namespace orvella {

std::optional<WindowsVersion> WindowsVersion::FromName(std::string_view name) {
    struct Known {
        std::string_view name;
        WindowsVersion version;
    };
    static constexpr std::array<Known, 7> kKnown = {{
        {"95", {kPlatformWindows, 4, 0, 950}},
        {"98", {kPlatformWindows, 4, 10, 1998}},
        {"me", {kPlatformWindows, 4, 90, 3000}},
        {"nt4", {kPlatformNt, 4, 0, 1381}},
        {"2000", {kPlatformNt, 5, 0, 2195}},
        {"xp", {kPlatformNt, 5, 1, 2600}},
        {"vista", {kPlatformNt, 6, 0, 6000}},
    }};
    for (const Known& known : kKnown) {
        if (EqualsIgnoreCase(known.name, TrimBlanks(name)))
            return known.version;
    }
    return std::nullopt;
}

}  // namespace orvella
