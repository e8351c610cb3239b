#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"

namespace orvella {

// Where the screen saver draws: a full-screen window of its own, the root window (-root),
// or a window xscreensaver made for it (-window-id ID, decimal or 0x hexadecimal).
struct ScreenSaverTarget {
    enum class Kind { FullScreen, Root, Window } kind = Kind::FullScreen;
    std::uint64_t window_id = 0;
};

// The arguments after the program's name. An unknown one is an error with the usage.
Result<ScreenSaverTarget> ParseScreenSaverArguments(const std::vector<std::string>& arguments);

}  // namespace orvella
