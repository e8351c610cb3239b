#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvella {

// The keys written to one section so far, compared as a profile compares them (without
// regard to case), so a key that comes again is left out as SetValue would leave it. The
// keys are views: their text must outlive the section. One set serves section after
// section and keeps its memory, so every save of a large library does not fault in a fresh
// table.
class WrittenKeys {
public:
    // Empties the set for a section of at most `keys` keys.
    void Reset(std::size_t keys);
    // False when an equal key was added since the last Reset.
    bool Add(std::string_view key);

private:
    std::vector<std::uint64_t> cells_;  // the hash's upper half, and the key's number + 1
    std::vector<std::string_view> keys_;
};

}  // namespace orvella
