#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvella {

// One picture of `pictures` for each of `count` monitors, in the monitors' order: the
// generator seeded once with `seconds` and drawn once per monitor. The first draw is the
// pick of a single screen (PickIndex), so one monitor sees what it always saw. Each later
// draw chooses among the plain pictures (no pages, which are drawn for one monitor only)
// that no monitor has yet, so no two share a picture while there are enough; when they run
// out, they all come round again. Without any plain picture the first pick stands alone.
// Empty when `pictures` is.
std::vector<std::string> PickMonitorPictures(const std::vector<std::string>& pictures,
                                             std::int64_t seconds, int count);

}  // namespace orvella
