#include "platform/registry/registry_file.h"

#include "platform/files/file_lock.h"
#include "platform/files/files.h"

namespace orvella {

Result<RegistryDocument> RegistryFile::Read() const {
    Result<std::optional<std::string>> content = ReadWholeFile(path_);
    if (!content)
        return content.status();
    if (!content->has_value())
        return RegistryDocument::Fresh();
    return RegistryDocument::Parse(**content, path_);
}

Status RegistryFile::Modify(const std::function<void(RegistryDocument&)>& change) {
    if (Status folder = EnsureDirectory(ParentFolder(path_)); !folder)
        return folder;
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    change(*document);
    return ReplaceFileAtomically(path_, document->Serialize());
}

Result<bool> RegistryFile::KeyExists(RegistryRoot root, std::string_view path) const {
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    return document->HasKey(RegistryDocument::FullPath(root, path));
}

Status RegistryFile::CreateKey(RegistryRoot root, std::string_view path) {
    const std::string full = RegistryDocument::FullPath(root, path);
    // Opening an existing key with "create" must not rewrite the file.
    if (Result<bool> exists = KeyExists(root, path); exists && *exists)
        return Status::Ok();
    return Modify([&](RegistryDocument& document) { document.CreateKey(full); });
}

Status RegistryFile::DeleteKey(RegistryRoot root, std::string_view path) {
    const std::string full = RegistryDocument::FullPath(root, path);
    return Modify([&](RegistryDocument& document) { document.DeleteKeyTree(full); });
}

Result<std::optional<RegistryValue>> RegistryFile::ReadValue(RegistryRoot root,
                                                             std::string_view path,
                                                             std::string_view name) const {
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    const RegistryValue* value = document->FindValue(RegistryDocument::FullPath(root, path), name);
    return value ? std::optional<RegistryValue>(*value) : std::nullopt;
}

Status RegistryFile::WriteValues(RegistryRoot root, std::string_view path,
                                 const std::vector<RegistryValue>& values) {
    const std::string full = RegistryDocument::FullPath(root, path);
    return Modify([&](RegistryDocument& document) {
        document.CreateKey(full);
        for (const RegistryValue& value : values)
            document.SetValue(full, value);
    });
}

Status RegistryFile::DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) {
    const std::string full = RegistryDocument::FullPath(root, path);
    return Modify([&](RegistryDocument& document) { document.DeleteValue(full, name); });
}

Result<std::vector<std::string>> RegistryFile::SubkeyNames(RegistryRoot root,
                                                           std::string_view path) const {
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    return document->SubkeyNames(RegistryDocument::FullPath(root, path));
}

Result<std::vector<std::string>> RegistryFile::ValueNames(RegistryRoot root,
                                                          std::string_view path) const {
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    return document->ValueNames(RegistryDocument::FullPath(root, path));
}

}  // namespace orvella
