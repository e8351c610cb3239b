#include "library/written_keys.h"

#include "platform/text.h"

namespace orvella {

void WrittenKeys::Reset(std::size_t keys) {
    std::size_t size = 16;
    while (size < keys * 2 + 2)
        size *= 2;
    cells_.assign(size, 0);
    keys_.clear();
    keys_.reserve(keys);
}

bool WrittenKeys::Add(std::string_view key) {
    const std::uint64_t tag = HashIgnoreCase(key) & 0xFFFFFFFF00000000u;
    const std::size_t mask = cells_.size() - 1;
    std::size_t i = (tag >> 32) & mask;
    for (; cells_[i] != 0; i = (i + 1) & mask) {
        const std::uint64_t cell = cells_[i];
        if ((cell & 0xFFFFFFFF00000000u) == tag &&
            EqualsIgnoreCase(keys_[(cell & 0xFFFFFFFFu) - 1], key)) {
            return false;
        }
    }
    keys_.push_back(key);
    cells_[i] = tag | keys_.size();
    return true;
}

}  // namespace orvella
