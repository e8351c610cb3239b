#include "library/store_layout.h"

namespace orvella {

std::string DetailsSection(std::string_view key) {
    return std::string(key) + ".Details";
}

}  // namespace orvella
