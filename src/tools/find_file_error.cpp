#include "tools/find_file_error.h"

#include <string>

namespace orvella {

Status EFindFileError::InvalidFilename(std::string_view value) {
    return Status::Error(std::string(value) + "\n\rInvalid filename specified");
}

Status EFindFileError::WildcardLocation(std::string_view value) {
    return Status::Error(std::string(value) + "\n\rlocation cannot to be contained wildcards");
}

}  // namespace orvella
