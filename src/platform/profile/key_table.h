#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace orvella {

// Numbered keys compared as a profile compares names, without regard to case. Open
// addressing in one array: a cell holds the key's hash in its upper half and its number + 1
// in the lower one. The keys stay with the owner, who says how to read key n.
class KeyTable {
public:
    static std::uint64_t Hash(std::string_view key) { return HashIgnoreCase(key) & kTagBits; }

    // Empties the table, with room for `keys` keys before it grows.
    void Reset(std::size_t keys);
    // Room for `more` keys beyond those in it.
    void Reserve(std::size_t more);

    // Adds key `number` unless an equal key is in the table already: then false.
    template <class KeyOf>
    bool Insert(std::uint64_t hash, std::uint32_t number, const KeyOf& key_of);
    // The number of the key equal to `key`, or -1.
    template <class KeyOf>
    std::int64_t Find(std::uint64_t hash, std::string_view key, const KeyOf& key_of) const;

    // Inserts keys 0 .. count - 1 for which `wanted(n)` holds, in order, and tells
    // `inserted(n, first)` of each whether it was the first of its kind. The hashes are made
    // a few keys ahead and their cells fetched meanwhile: a large table does not fit the
    // cache, and an insert that waits for memory costs more than the hash.
    template <class KeyOf, class Wanted, class Inserted>
    void InsertAll(std::size_t count, const KeyOf& key_of, const Wanted& wanted,
                   const Inserted& inserted);

private:
    static constexpr std::uint64_t kTagBits = 0xFFFFFFFF00000000u;
    static constexpr std::size_t kAhead = 8;

    std::size_t Slot(std::uint64_t hash) const { return (hash >> 32) & (cells_.size() - 1); }
    void Regrow(std::size_t size);

    std::vector<std::uint64_t> cells_ = std::vector<std::uint64_t>(16);
    std::size_t used_ = 0;
};

template <class KeyOf>
bool KeyTable::Insert(std::uint64_t hash, std::uint32_t number, const KeyOf& key_of) {
    if ((used_ + 1) * 2 > cells_.size())
        Regrow(cells_.size() * 4);
    const std::string_view key = key_of(number);
    const std::size_t mask = cells_.size() - 1;
    std::size_t i = Slot(hash);
    for (; cells_[i] != 0; i = (i + 1) & mask) {
        const std::uint64_t cell = cells_[i];
        if ((cell & kTagBits) == hash && EqualsIgnoreCase(key_of((cell & 0xFFFFFFFFu) - 1), key))
            return false;
    }
    cells_[i] = hash | (std::uint64_t{number} + 1);
    ++used_;
    return true;
}

template <class KeyOf>
std::int64_t KeyTable::Find(std::uint64_t hash, std::string_view key, const KeyOf& key_of) const {
    const std::size_t mask = cells_.size() - 1;
    for (std::size_t i = Slot(hash); cells_[i] != 0; i = (i + 1) & mask) {
        const std::uint64_t cell = cells_[i];
        const std::uint32_t number = (cell & 0xFFFFFFFFu) - 1;
        if ((cell & kTagBits) == hash && EqualsIgnoreCase(key_of(number), key))
            return number;
    }
    return -1;
}

template <class KeyOf, class Wanted, class Inserted>
void KeyTable::InsertAll(std::size_t count, const KeyOf& key_of, const Wanted& wanted,
                         const Inserted& inserted) {
    Reserve(count);
    std::array<std::uint64_t, kAhead> hashes{};
    const auto fetch = [&](std::size_t n) {
        if (n >= count || !wanted(n))
            return;
        hashes[n % kAhead] = Hash(key_of(n));
        __builtin_prefetch(&cells_[Slot(hashes[n % kAhead])]);
    };
    for (std::size_t n = 0; n < kAhead; ++n)
        fetch(n);
    for (std::size_t n = 0; n < count; ++n) {
        if (wanted(n))
            inserted(n, Insert(hashes[n % kAhead], static_cast<std::uint32_t>(n), key_of));
        fetch(n + kAhead);
    }
}

}  // namespace orvella
