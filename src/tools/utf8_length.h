#pragma once

#include <cstddef>

namespace orvella {

// Bytes of the UTF-8 sequence that begins with `lead`, so that a wildcard stands for one
// character of a name, as it stood for one ANSI byte. A stray continuation byte counts alone.
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

}  // namespace orvella
