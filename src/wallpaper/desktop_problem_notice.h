#pragma once

#include <set>
#include <string>

#include "platform/status.h"

namespace orvella {

class MessageCatalogue;
class Prompter;

// A desktop that refuses the wallpaper (no session bus, a tool missing) is told to the user
// once per reason, not at every timed change; each failure still goes to standard error.
class DesktopProblemNotice {
public:
    DesktopProblemNotice(Prompter& prompter, const MessageCatalogue& catalogue)
        : prompter_(prompter), catalogue_(catalogue) {}

    // Nothing for a success.
    void Tell(const Status& status);

private:
    Prompter& prompter_;
    const MessageCatalogue& catalogue_;
    std::set<std::string> told_;
};

}  // namespace orvella
