#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace orvella::testing {

// The bytes of an uncompressed 24-bit Windows bitmap, stored bottom-up as Windows writes
// it; `colour_at(x, y)` gives 0x00RRGGBB with y counted from the top.
std::string MakeBitmap24(int width, int height,
                         const std::function<std::uint32_t(int, int)>& colour_at);

}  // namespace orvella::testing
