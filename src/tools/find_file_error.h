#pragma once

#include <string_view>

#include "platform/status.h"

namespace orvella {

// The rejections of the search engine's Filename and Location setters. They are values,
// not exceptions: the setter leaves the property as it was and the caller shows or drops
// the text, since an exception has no general error display to reach through the Qt event
// loop. The texts are the engine's own, "%s" the rejected value.
struct EFindFileError {
    static Status InvalidFilename(std::string_view value);
    static Status WildcardLocation(std::string_view value);
};

}  // namespace orvella
