#pragma once

#include <string>
#include <vector>

#include "platform/profile/key_table.h"

namespace orvella {

// Which keys of a list come first with their spelling, compared as a profile compares keys
// (without regard to case): a section holds a key once, the first one. One object serves
// list after list and keeps its memory, so every save of a large library does not fault in
// a fresh table.
class FirstSpellings {
public:
    // Looks only at the keys i with `counted[i]`; the others are never first. The answer
    // holds for each key whether it is the first; it stays valid until the next call.
    const std::vector<char>& Find(const std::vector<std::string>& keys,
                                  const std::vector<char>& counted);

private:
    KeyTable table_;
    std::vector<char> first_;
};

}  // namespace orvella
