#include "library/first_spellings.h"

namespace orvella {

const std::vector<char>& FirstSpellings::Find(const std::vector<std::string>& keys,
                                              const std::vector<char>& counted) {
    table_.Reset(keys.size());
    first_.assign(keys.size(), 0);
    table_.InsertAll(
        keys.size(), [&](std::size_t n) { return std::string_view(keys[n]); },
        [&](std::size_t n) { return counted[n] != 0; },
        [&](std::size_t n, bool first) { first_[n] = first ? 1 : 0; });
    return first_;
}

}  // namespace orvella
