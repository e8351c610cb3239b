#pragma once

#include <vector>

namespace orvella {

class TCategoryStore;

// What the copy/move dialog asks for; the numbers are its results.
enum class CopyMoveKind { Copy = 20, Move = 21 };

// Copies or moves the pictures at `selected` (positions in category `from`'s list, in any
// order) into category `to`, walking them in list order. A copy lists each in the first
// category once more; a moved picture is listed there already and keeps that entry while it
// leaves `from`. No file on disk changes, and nothing is saved. Refused (false) unless `from`
// and `to` are two different categories other than the first.
bool CopyMovePictures(TCategoryStore& store, int from, int to, std::vector<int> selected,
                      CopyMoveKind kind);

}  // namespace orvella
