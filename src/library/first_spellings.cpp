#include "library/first_spellings.h"

#include <array>

#include "platform/text.h"

namespace orvella {
namespace {

constexpr std::uint64_t kTagBits = 0xFFFFFFFF00000000u;
// Hashes are made this many keys ahead and their cells fetched meanwhile: the table of a
// large library is larger than the cache, and a lookup that waits for memory costs more
// than the hash.
constexpr std::size_t kAhead = 8;

}  // namespace

void FirstSpellings::Reset(std::size_t keys) {
    std::size_t size = 16;
    while (size < keys * 2 + 2)
        size *= 2;
    cells_.assign(size, 0);
    first_.assign(keys, 0);
}

const std::vector<char>& FirstSpellings::Find(const std::vector<std::string>& keys,
                                              const std::vector<char>& counted) {
    Reset(keys.size());
    const std::size_t mask = cells_.size() - 1;
    std::array<std::uint64_t, kAhead> tags{};
    const auto fetch = [&](std::size_t i) {
        if (i >= keys.size() || !counted[i])
            return;
        tags[i % kAhead] = HashIgnoreCase(keys[i]) & kTagBits;
        __builtin_prefetch(&cells_[(tags[i % kAhead] >> 32) & mask]);
    };
    for (std::size_t i = 0; i < kAhead; ++i)
        fetch(i);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (counted[i])
            first_[i] = Add(keys, static_cast<std::uint32_t>(i), tags[i % kAhead]) ? 1 : 0;
        fetch(i + kAhead);
    }
    return first_;
}

bool FirstSpellings::Add(const std::vector<std::string>& keys, std::uint32_t i, std::uint64_t tag) {
    const std::size_t mask = cells_.size() - 1;
    std::size_t at = (tag >> 32) & mask;
    for (; cells_[at] != 0; at = (at + 1) & mask) {
        const std::uint64_t cell = cells_[at];
        if ((cell & kTagBits) == tag && EqualsIgnoreCase(keys[(cell & 0xFFFFFFFFu) - 1], keys[i]))
            return false;
    }
    cells_[at] = tag | (static_cast<std::uint64_t>(i) + 1);
    return true;
}

}  // namespace orvella
