#include "platform/hive_registry.h"

#include "platform/file_lock.h"
#include "platform/files.h"

namespace orvella {

Result<RegistryHive> HiveRegistry::Read() const {
    Result<std::optional<std::string>> content = ReadWholeFile(path_);
    if (!content)
        return content.status();
    if (!content->has_value())
        return RegistryHive::Fresh();
    return RegistryHive::Parse(**content, path_);
}

Status HiveRegistry::Modify(const std::function<void(RegistryHive&)>& change) {
    if (Status folder = EnsureDirectory(ParentFolder(path_)); !folder)
        return folder;
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    Result<RegistryHive> hive = Read();
    if (!hive)
        return hive.status();
    change(*hive);
    return ReplaceFileAtomically(path_, hive->Serialize());
}

Result<bool> HiveRegistry::KeyExists(RegistryRoot root, std::string_view path) const {
    Result<RegistryHive> hive = Read();
    if (!hive)
        return hive.status();
    return hive->HasKey(RegistryHive::FullPath(root, path));
}

Status HiveRegistry::CreateKey(RegistryRoot root, std::string_view path) {
    const std::string full = RegistryHive::FullPath(root, path);
    // Opening an existing key with "create" must not rewrite the file.
    if (Result<bool> exists = KeyExists(root, path); exists && *exists)
        return Status::Ok();
    return Modify([&](RegistryHive& hive) { hive.CreateKey(full); });
}

Status HiveRegistry::DeleteKey(RegistryRoot root, std::string_view path) {
    const std::string full = RegistryHive::FullPath(root, path);
    return Modify([&](RegistryHive& hive) { hive.DeleteKeyTree(full); });
}

Result<std::optional<RegistryValue>> HiveRegistry::ReadValue(RegistryRoot root,
                                                             std::string_view path,
                                                             std::string_view name) const {
    Result<RegistryHive> hive = Read();
    if (!hive)
        return hive.status();
    const RegistryValue* value = hive->FindValue(RegistryHive::FullPath(root, path), name);
    return value ? std::optional<RegistryValue>(*value) : std::nullopt;
}

Status HiveRegistry::WriteValues(RegistryRoot root, std::string_view path,
                                 const std::vector<RegistryValue>& values) {
    const std::string full = RegistryHive::FullPath(root, path);
    return Modify([&](RegistryHive& hive) {
        hive.CreateKey(full);
        for (const RegistryValue& value : values)
            hive.SetValue(full, value);
    });
}

Status HiveRegistry::DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) {
    const std::string full = RegistryHive::FullPath(root, path);
    return Modify([&](RegistryHive& hive) { hive.DeleteValue(full, name); });
}

Result<std::vector<std::string>> HiveRegistry::SubkeyNames(RegistryRoot root,
                                                           std::string_view path) const {
    Result<RegistryHive> hive = Read();
    if (!hive)
        return hive.status();
    return hive->SubkeyNames(RegistryHive::FullPath(root, path));
}

Result<std::vector<std::string>> HiveRegistry::ValueNames(RegistryRoot root,
                                                          std::string_view path) const {
    Result<RegistryHive> hive = Read();
    if (!hive)
        return hive.status();
    return hive->ValueNames(RegistryHive::FullPath(root, path));
}

}  // namespace orvella
