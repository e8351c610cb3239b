#include "platform/profile/profile_file.h"

#include "platform/files/file_lock.h"
#include "platform/files/files.h"
#include "platform/profile/profile_text.h"
#include "platform/text.h"

namespace orvella {

Result<ProfileDocument> ProfileFile::Load() const {
    Result<std::optional<std::string>> content = ReadWholeFile(path_);
    if (!content)
        return content.status();
    if (!content->has_value())
        return ProfileDocument();
    // A file that is not UTF-8 keeps the bytes of names that exist on disk, line by line.
    std::string& bytes = **content;
    return ProfileDocument::ParseBuffer(IsValidUtf8(bytes) ? DecodeSystemBuffer(std::move(bytes))
                                                           : DecodeProfileText(bytes));
}

ProfileDocument ProfileFile::LoadOrEmpty() const {
    Result<ProfileDocument> document = Load();
    return document ? std::move(document).value() : ProfileDocument();
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
    std::optional<std::string> value = LoadOrEmpty().Value(section, key);
    return value ? std::move(*value) : std::string(default_value);
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t default_value) const {
    const std::optional<std::string> value = LoadOrEmpty().Value(section, key);
    if (!value)
        return default_value;
    return ParseProfileInteger(*value).value_or(default_value);
}

std::vector<std::string> ProfileFile::ReadKeys(std::string_view section) const {
    return LoadOrEmpty().KeyNames(section);
}

std::vector<std::string> ProfileFile::ReadSections() const {
    return LoadOrEmpty().SectionNames();
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return LoadOrEmpty().HasKey(section, key);
}

bool ProfileFile::HasSection(std::string_view section) const {
    return LoadOrEmpty().HasSection(section);
}

Status ProfileFile::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (Status writable = ProfileDocument::Writable(section, key, value); !writable)
        return writable;
    return Update([&](ProfileDocument& document) { document.SetValue(section, key, value); });
}

Status ProfileFile::WriteInteger(std::string_view section, std::string_view key,
                                 std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

Status ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    return Update([&](ProfileDocument& document) { document.DeleteKey(section, key); });
}

Status ProfileFile::EraseSection(std::string_view section) {
    return Update([&](ProfileDocument& document) { document.EraseSection(section); });
}

Status ProfileFile::Replace(const ProfileDocument& document) {
    if (!document.refused())
        return document.refused();
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    return Write(document);
}

Status ProfileFile::Update(const std::function<void(ProfileDocument&)>& change) {
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    // A file we cannot read is never replaced by what little we know of it.
    Result<ProfileDocument> document = Load();
    if (!document)
        return document.status();
    change(*document);
    if (!document->refused())
        return document->refused();
    return Write(*document);
}

Status ProfileFile::ReplaceCarryingOver(std::string_view key, const CarryingWrite& write) {
    Result<FileLock> lock = FileLock::Acquire(path_);
    if (!lock)
        return lock.status();
    const Result<bool> mentioned = FileMentions(path_, key);
    if (!mentioned)
        return mentioned.status();
    // A file we cannot read is never replaced by what little we know of it.
    const Result<ProfileDocument> on_disk = *mentioned ? Load() : ProfileDocument();
    if (!on_disk)
        return on_disk.status();
    return ReplaceFileAtomically(path_, [&](const std::function<void(std::string_view)>& piece) {
        ProfileWriter out(piece);
        if (Status written = write(*on_disk, out); !written)
            return written;
        out.Finish();
        return out.refused();
    });
}

Status ProfileFile::Write(const ProfileDocument& document) {
    const std::string_view in_place = document.SerializedInPlace();
    if (!in_place.empty())
        return ReplaceFileAtomically(path_, in_place);
    return ReplaceFileAtomically(path_, document.Serialize());
}

}  // namespace orvella
