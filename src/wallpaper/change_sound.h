#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// The sound played at a wallpaper change. Play opens the file (closing whatever the
// player had open) and starts it without waiting for the end. An error is a file that
// could not be opened, carrying the sound system's own text; the user is shown it.
class ChangeSound {
public:
    virtual ~ChangeSound() = default;
    virtual Status Play(const std::string& path) = 0;
};

}  // namespace orvella
