#pragma once

#include <functional>
#include <string>

#include "platform/registry/registry.h"
#include "platform/registry/registry_document.h"

namespace orvella {

// The registry kept in one REGEDIT4 file. Every read parses the file as it is now, so
// outside programs see each write and we see theirs; every write takes the file's lock,
// reads, changes and replaces the file atomically. A missing file is a fresh profile; a
// damaged one fails every operation with its file and line, and is never overwritten.
// While writes are deferred, each change is kept and replayed at the flush, under the lock,
// on the file as it is then: one replacement for all of them, and outside programs' writes
// in between are kept.
class RegistryFile : public Registry {
public:
    explicit RegistryFile(std::string file_path) : path_(std::move(file_path)) {}
    const std::string& path() const { return path_; }

    Result<RegistryDocument> Read() const;
    // Under the lock: read, let `change` edit the document, write it back once.
    Status Modify(std::function<void(RegistryDocument&)> change);

    Result<bool> KeyExists(RegistryRoot root, std::string_view path) const override;
    Status CreateKey(RegistryRoot root, std::string_view path) override;
    Status DeleteKey(RegistryRoot root, std::string_view path) override;
    Result<std::optional<RegistryValue>> ReadValue(RegistryRoot root, std::string_view path,
                                                   std::string_view name) const override;
    Status WriteValues(RegistryRoot root, std::string_view path,
                       const std::vector<RegistryValue>& values) override;
    Status DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) override;
    Result<std::vector<std::string>> SubkeyNames(RegistryRoot root,
                                                 std::string_view path) const override;
    Result<std::vector<std::string>> ValueNames(RegistryRoot root,
                                                std::string_view path) const override;

    void DeferWrites() override { ++deferring_; }
    Status EndDeferring() override;
    Status FlushWrites() override;

private:
    using Change = std::function<void(RegistryDocument&)>;

    std::string path_;
    int deferring_ = 0;
    std::vector<Change> pending_;
};

}  // namespace orvella
