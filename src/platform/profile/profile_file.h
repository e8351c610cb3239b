#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile/profile_document.h"
#include "platform/profile/profile_writer.h"
#include "platform/status.h"

namespace orvella {

// A profile file on disk, used as the Windows profile functions use one: every read looks
// at the file as it is now (outside programs write our files too), every write reaches the
// disk before it returns. A write locks the file, reads it, changes it and replaces it
// atomically, so a failed write leaves the earlier file whole and concurrent writers from
// other processes do not lose each other's keys.
class ProfileFile {
public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads treat a missing or unreadable file as empty, as Windows does.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view default_value) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t default_value) const;
    std::vector<std::string> ReadKeys(std::string_view section) const;
    std::vector<std::string> ReadSections() const;
    bool HasKey(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

    Status WriteString(std::string_view section, std::string_view key, std::string_view value);
    Status WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    Status DeleteKey(std::string_view section, std::string_view key);
    Status EraseSection(std::string_view section);

    // Batches. Load fails only when the file exists and cannot be read.
    Result<ProfileDocument> Load() const;
    // Replaces the whole file with `document` in one atomic write. These and the writes
    // above leave the file alone when a write was refused (see ProfileDocument::SetValue).
    Status Replace(const ProfileDocument& document);
    // Under the file's lock: reads the file, lets `change` edit it, writes it back once.
    Status Update(const std::function<void(ProfileDocument&)>& change);
    // For a writer that replaces the whole file and carries over only what a key named
    // `key` leads to: under the file's lock, `write` gets the file's document and writes the
    // new file's lines, which go to the disk as they are written. The file is parsed only
    // when its bytes name `key` somewhere; otherwise it cannot hold that key and `write`
    // gets an empty document. A failure `write` returns leaves the file as it was.
    using CarryingWrite = std::function<Status(const ProfileDocument& on_disk, ProfileWriter& out)>;
    Status ReplaceCarryingOver(std::string_view key, const CarryingWrite& write);

private:
    ProfileDocument LoadOrEmpty() const;
    // Replaces the file with the document; the caller holds the lock.
    Status Write(const ProfileDocument& document);
    std::string path_;
};

}  // namespace orvella
