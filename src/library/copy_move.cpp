#include "library/copy_move.h"

#include <algorithm>
#include <string>

#include "library/category_store.h"

namespace orvella {

bool CopyMovePictures(TCategoryStore& store, int from, int to, std::vector<int> selected,
                      CopyMoveKind kind) {
    const auto is_collection = [&store](int index) { return index >= 1 && index < store.count(); };
    if (!is_collection(from) || !is_collection(to) || from == to)
        return false;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    // The paths first: with the lists kept sorted, adding may reorder no list but `to` and
    // the first, so the positions in `from` stay valid until the move removes them.
    std::vector<std::string> paths;
    const std::vector<std::string>& pictures = store.category(from).pictures;
    for (int position : selected) {
        if (position >= 0 && position < static_cast<int>(pictures.size()))
            paths.push_back(pictures[position]);
    }
    for (std::string& path : paths)
        store.AddPicture(to, std::move(path), kind == CopyMoveKind::Copy);
    if (kind == CopyMoveKind::Move)
        store.RemovePictures(from, std::move(selected), false);
    return true;
}

}  // namespace orvella
