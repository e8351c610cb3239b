#include "settings/profile_target.h"

#include <algorithm>
#include <utility>

#include "platform/profile/profile_file.h"
#include "platform/text.h"

namespace orvella {

std::string ProfileValueText(std::string_view text) {
    // The profile quotes what needs it; a line break it cannot store ends the text.
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

namespace {

DeferredProfileWrites* deferred_writes = nullptr;

void SetEntries(ProfileDocument& document, const std::string& section,
                const std::vector<FormEntry>& entries) {
    for (const FormEntry& entry : entries)
        document.SetValue(section, entry.name, ProfileValueText(entry.text));
}

}  // namespace

DeferredProfileWrites::DeferredProfileWrites() : outer_(deferred_writes != nullptr) {
    if (!outer_)
        deferred_writes = this;
}

DeferredProfileWrites::~DeferredProfileWrites() {
    if (!finished_)
        static_cast<void>(Finish());
}

Status DeferredProfileWrites::Finish() {
    finished_ = true;
    if (outer_)
        return Status::Ok();  // the one already open writes it all at its end
    if (deferred_writes == this)
        deferred_writes = nullptr;
    Status first = Status::Ok();
    std::vector<Kept> kept = std::exchange(kept_, {});
    while (!kept.empty()) {
        const std::string path = kept.front().path;
        const auto other_file = std::stable_partition(
            kept.begin(), kept.end(), [&](const Kept& write) { return write.path == path; });
        const Status written = ProfileFile(path).Update([&](ProfileDocument& document) {
            for (auto write = kept.begin(); write != other_file; ++write)
                SetEntries(document, write->section, write->entries);
        });
        if (first && !written)
            first = written;
        kept.erase(kept.begin(), other_file);
    }
    return first;
}

Result<FoundEntries> ProfileTarget::Read(const std::vector<std::string>& names) const {
    Result<ProfileDocument> document = ProfileFile(path_).Load();
    if (!document)
        return document.status();
    if (deferred_writes != nullptr) {
        for (const DeferredProfileWrites::Kept& write : deferred_writes->kept_) {
            if (write.path == path_)
                SetEntries(*document, write.section, write.entries);
        }
    }
    FoundEntries found;
    for (const std::string& name : names) {
        if (std::optional<std::string> value = document->Value(section_, name))
            found.Add(name, std::move(*value));
    }
    return found;
}

Status ProfileTarget::Write(const std::vector<FormEntry>& entries) {
    if (deferred_writes != nullptr) {
        deferred_writes->kept_.push_back({path_, section_, entries});
        return Status::Ok();
    }
    return ProfileFile(path_).Update(
        [&](ProfileDocument& document) { SetEntries(document, section_, entries); });
}

}  // namespace orvella
