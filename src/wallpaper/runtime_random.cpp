#include "wallpaper/runtime_random.h"

namespace orvella {

void RuntimeRandom::Seed(std::uint32_t seed) {
    const std::uint32_t low = seed * 22695477u + 1u;
    state_ = low;
}

std::uint32_t RuntimeRandom::Next() {
    state_ = state_ * kMultiplier + 1;
    return static_cast<std::uint32_t>(state_ >> 32) & 0x7FFFFFFFu;
}

int PickIndex(std::int64_t seconds, int n) {
    RuntimeRandom random;
    random.Seed(static_cast<std::uint32_t>(seconds));
    return static_cast<int>(random.Next() % static_cast<std::uint32_t>(n));
}

}  // namespace orvella
