#pragma once

#include <cstdint>

namespace orvella {

// The C runtime's 64-bit linear congruential generator that the random pick relies on, to
// the bit, so a pick for a given second is the same picture the Windows program chose.
class RuntimeRandom {
public:
    static constexpr std::uint64_t kMultiplier = 0x0000015A00004E35;  // 346 * 2^32 + 20021

    // low = seed, high = 0, then one step of the runtime's short generator on low.
    void Seed(std::uint32_t seed);
    // state = state * M + 1 (mod 2^64); the new high word without its top bit.
    std::uint32_t Next();

    std::uint64_t state() const { return state_; }

private:
    std::uint64_t state_ = 0;
};

// Seeds a generator with `seconds` (the calendar time, cut to 32 bits as the runtime's
// seed is) and draws i = r mod n; n must be positive.
int PickIndex(std::int64_t seconds, int n);

}  // namespace orvella
