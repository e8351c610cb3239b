#include "shell/command_line.h"

#include <algorithm>

namespace orvella {

bool HasSwitch(const std::vector<std::string>& arguments, std::string_view name) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        return argument.size() > 1 && (argument.front() == '-' || argument.front() == '/') &&
               std::string_view(argument).substr(1) == name;
    });
}

StartupSwitches StartupSwitches::Parse(const std::vector<std::string>& arguments) {
    StartupSwitches switches;
    if (HasSwitch(arguments, "shellex")) {
        switches.shellex = true;
        return switches;
    }
    if (HasSwitch(arguments, "delshellex")) {
        switches.delshellex = true;
        return switches;
    }
    switches.wall = HasSwitch(arguments, "wall");
    switches.trans = HasSwitch(arguments, "trans");
    switches.min = HasSwitch(arguments, "min");
    switches.close = HasSwitch(arguments, "close");
    return switches;
}

}  // namespace orvella
