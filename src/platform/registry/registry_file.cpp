#include "platform/registry/registry_file.h"

#include <utility>

#include "platform/files/file_lock.h"
#include "platform/files/files.h"

namespace orvella {

Result<RegistryDocument> RegistryFile::Read() const {
    Result<std::optional<std::string>> content = ReadWholeFile(path_);
    if (!content)
        return content.status();
    Result<RegistryDocument> document = content->has_value()
                                            ? RegistryDocument::Parse(**content, path_)
                                            : RegistryDocument::Fresh();
    if (document) {
        for (const Change& change : pending_)
            change(*document);
    }
    return document;
}

Status RegistryFile::Modify(std::function<void(RegistryDocument&)> change) {
    pending_.push_back(std::move(change));
    return deferring_ > 0 ? Status::Ok() : FlushWrites();
}

Status RegistryFile::EndDeferring() {
    if (deferring_ > 0)
        --deferring_;
    return deferring_ > 0 ? Status::Ok() : FlushWrites();
}

Status RegistryFile::FlushWrites() {
    if (pending_.empty())
        return Status::Ok();
    // Kept or not, the changes are done with: a failed write must not come back later.
    const std::vector<Change> changes = std::exchange(pending_, {});
    if (Status folder = EnsureDirectory(ParentFolder(path_)); !folder)
        return folder;
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    Result<RegistryDocument> document = Read();
    if (!document)
        return document.status();
    for (const Change& change : changes)
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
    if (Status writable = RegistryDocument::Writable(full, {}); !writable)
        return writable;
    // Opening an existing key with "create" must not rewrite the file.
    if (Result<bool> exists = KeyExists(root, path); exists && *exists)
        return Status::Ok();
    return Modify([full](RegistryDocument& document) { document.CreateKey(full); });
}

Status RegistryFile::DeleteKey(RegistryRoot root, std::string_view path) {
    const std::string full = RegistryDocument::FullPath(root, path);
    return Modify([full](RegistryDocument& document) { document.DeleteKeyTree(full); });
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
    for (const RegistryValue& value : values) {
        if (Status writable = RegistryDocument::Writable(full, value); !writable)
            return writable;
    }
    return Modify([full, values](RegistryDocument& document) {
        document.CreateKey(full);
        for (const RegistryValue& value : values)
            document.SetValue(full, value);
    });
}

Status RegistryFile::DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) {
    const std::string full = RegistryDocument::FullPath(root, path);
    return Modify([full, name = std::string(name)](RegistryDocument& document) {
        document.DeleteValue(full, name);
    });
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
