#include "platform/profile/key_table.h"

#include <utility>

namespace orvella {

void KeyTable::Reset(std::size_t keys) {
    std::size_t size = 16;
    while (size < keys * 2 + 2)
        size *= 2;
    cells_.assign(size, 0);
    used_ = 0;
}

void KeyTable::Reserve(std::size_t more) {
    std::size_t size = cells_.size();
    while (size < (used_ + more) * 2 + 2)
        size *= 2;
    if (size > cells_.size())
        Regrow(size);
}

void KeyTable::Regrow(std::size_t size) {
    std::vector<std::uint64_t> old = std::exchange(cells_, std::vector<std::uint64_t>(size));
    const std::size_t mask = size - 1;
    for (std::uint64_t cell : old) {
        if (cell == 0)
            continue;
        std::size_t i = Slot(cell);
        while (cells_[i] != 0)
            i = (i + 1) & mask;
        cells_[i] = cell;
    }
}

}  // namespace orvella
