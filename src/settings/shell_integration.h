#pragma once

#include <string>
#include <vector>

#include "platform/status.h"

namespace orvella {

class Environment;
class Registry;
struct WindowsVersion;

// What putting the "add to category" entry in place, or taking it away, came to.
struct ShellIntegrationOutcome {
    // The first failed picture type; the types after it stay as they were.
    Status registry;
    // What the file managers' folders refused, one message each.
    std::vector<std::string> file_managers;
};

// The entry for every picture type in the registry, and in the file managers' menus, where
// it starts kAddToCategoryProgram from `programs_dir`.
ShellIntegrationOutcome InstallShellIntegration(Registry& registry, const WindowsVersion& version,
                                                const Environment& environment,
                                                const std::string& programs_dir);
ShellIntegrationOutcome RemoveShellIntegration(Registry& registry, const WindowsVersion& version,
                                               const Environment& environment);

}  // namespace orvella
