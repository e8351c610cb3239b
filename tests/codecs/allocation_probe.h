#pragma once

#include <cstddef>

namespace orvella::testing {

// The largest single operator new request made while the probe lives (this test program
// replaces the global operator new to watch them). Shows that a decoder refused a huge
// header before it allocated anything of that size.
class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;

    std::size_t bytes() const;
};

}  // namespace orvella::testing
