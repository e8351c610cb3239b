#include "settings/shell_integration.h"

#include "settings/file_manager_actions.h"
#include "settings/shell_extension.h"

namespace orvella {
namespace {

using ExtensionStep = Status (*)(Registry&, const WindowsVersion&, std::string_view);

Status ForEachType(Registry& registry, const WindowsVersion& version, ExtensionStep step) {
    for (std::string_view extension : kShellExtensionTypes) {
        if (Status status = step(registry, version, extension); !status)
            return status;
    }
    return Status::Ok();
}

}  // namespace

ShellIntegrationOutcome InstallShellIntegration(Registry& registry, const WindowsVersion& version,
                                                const Environment& environment,
                                                const std::string& programs_dir) {
    // On Linux the menus that file managers read take the place of the hive's handler.
    const FileManagerEntry entry{.program = programs_dir + std::string(kAddToCategoryProgram)};
    return {ForEachType(registry, version, RegisterShellExtension),
            InstallFileManagerEntries(FileManagerFoldersOf(environment), entry)};
}

ShellIntegrationOutcome RemoveShellIntegration(Registry& registry, const WindowsVersion& version,
                                               const Environment& environment) {
    return {ForEachType(registry, version, UnregisterShellExtension),
            RemoveFileManagerEntries(FileManagerFoldersOf(environment))};
}

}  // namespace orvella
