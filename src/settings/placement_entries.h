#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/form_entry.h"
#include "settings/window_placement.h"

namespace orvella {

// The entry names of a placement, in the order they are written.
const std::array<std::string_view, 6>& PlacementEntryNames();

std::vector<FormEntry> PlacementEntries(const WindowPlacement& placement);

// Applies the entries found to `placement`. A missing or malformed entry leaves its part as
// it is. True when some part was read.
bool ApplyPlacementEntries(const FoundEntries& found, WindowPlacement& placement);

// "%d,%d,%d,%d". Parsing allows blanks before each number and after the last, as sscanf
// does, and nothing else.
std::string FormatQuad(const std::array<std::int32_t, 4>& numbers);
std::optional<std::array<std::int32_t, 4>> ParseQuad(std::string_view text);

}  // namespace orvella
