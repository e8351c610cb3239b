#include "settings/shell_extension.h"

#include <string>

namespace orvella {
namespace {

constexpr std::string_view kApprovedKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

Status WriteFailed(std::string_view value_name) {
    return Status::Error("Konnte Daten für '" + std::string(value_name) + "' nicht setzen");
}

Status WriteString(Registry& registry, RegistryRoot root, std::string_view path,
                   std::string_view name, std::string_view text) {
    if (!registry.WriteValues(root, path,
                              {RegistryValue::String(std::string(name), std::string(text))})) {
        return WriteFailed(name);
    }
    return Status::Ok();
}

std::string FileTypeOf(Registry& registry, std::string_view extension) {
    Result<std::optional<RegistryValue>> type =
        registry.ReadValue(RegistryRoot::ClassesRoot, extension, "");
    if (!type || !type->has_value())
        return {};
    return (*type)->type == static_cast<std::uint32_t>(RegistryType::String) ? (*type)->text
                                                                             : std::string();
}

}  // namespace

Status RegisterShellExtension(Registry& registry, const WindowsVersion& version,
                              std::string_view extension) {
    if (!registry.CreateKey(RegistryRoot::ClassesRoot, extension))
        return WriteFailed("");
    std::string file_type = FileTypeOf(registry, extension);
    if (file_type.empty()) {
        file_type = std::string(kShellExtensionName) + std::string(extension);
        if (Status s = WriteString(registry, RegistryRoot::ClassesRoot, extension, "", file_type);
            !s) {
            return s;
        }
    }
    if (!registry.CreateKey(RegistryRoot::ClassesRoot, file_type))
        return WriteFailed("");
    const std::string handler =
        file_type + "\\ShellEx\\ContextMenuHandlers\\" + std::string(kShellExtensionName);
    if (Status s = WriteString(registry, RegistryRoot::ClassesRoot, handler, "", kShellExtensionId);
        !s) {
        return s;
    }
    if (!version.IsWin9x()) {
        return WriteString(registry, RegistryRoot::LocalMachine, kApprovedKey, kShellExtensionId,
                           kShellExtensionName);
    }
    return Status::Ok();
}

Status UnregisterShellExtension(Registry& registry, const WindowsVersion& version,
                                std::string_view extension) {
    const std::string file_type = FileTypeOf(registry, extension);
    if (file_type.empty())
        return Status::Ok();
    const std::string handlers = file_type + "\\ShellEx\\ContextMenuHandlers";
    if (Result<bool> exists = registry.KeyExists(RegistryRoot::ClassesRoot, handlers);
        exists && *exists) {
        if (!registry.DeleteKey(RegistryRoot::ClassesRoot,
                                handlers + "\\" + std::string(kShellExtensionName))) {
            return WriteFailed("");
        }
    }
    if (!version.IsWin9x()) {
        if (!registry.CreateKey(RegistryRoot::LocalMachine, kApprovedKey) ||
            !registry.DeleteValue(RegistryRoot::LocalMachine, kApprovedKey, kShellExtensionId)) {
            return WriteFailed(kShellExtensionId);
        }
    }
    return Status::Ok();
}

}  // namespace orvella
