#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
    void Reset(std::size_t keys);
    bool Add(const std::vector<std::string>& keys, std::uint32_t i, std::uint64_t tag);

    std::vector<std::uint64_t> cells_;  // the hash's upper half, and the key's number + 1
    std::vector<char> first_;
};

}  // namespace orvella
