#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// The start-up switches. A switch is an argument whose first character is "-" or "/"
// followed by the name exactly, case included ("-min" and "/min", never "-Min").
struct StartupSwitches {
    bool shellex = false;     // register the shell extension and end; nothing else counts
    bool delshellex = false;  // looked at only without "shellex"
    bool wall = false;
    bool trans = false;
    bool min = false;
    bool close = false;

    // `arguments` without the program name.
    static StartupSwitches Parse(const std::vector<std::string>& arguments);
};

bool HasSwitch(const std::vector<std::string>& arguments, std::string_view name);

}  // namespace orvella
