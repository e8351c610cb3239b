#include "settings/profile_target.h"

#include "platform/profile/profile_file.h"
#include "platform/text.h"

namespace orvella {

std::string ProfileValueText(std::string_view text) {
    // The profile quotes what needs it; a line break it cannot store ends the text.
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

Result<FoundEntries> ProfileTarget::Read(const std::vector<std::string>& names) const {
    Result<ProfileDocument> document = ProfileFile(path_).Load();
    if (!document)
        return document.status();
    FoundEntries found;
    for (const std::string& name : names) {
        if (std::optional<std::string> value = document->Value(section_, name))
            found.Add(name, std::move(*value));
    }
    return found;
}

Status ProfileTarget::Write(const std::vector<FormEntry>& entries) {
    ProfileFile file(path_);
    return file.Update([&](ProfileDocument& document) {
        for (const FormEntry& entry : entries)
            document.SetValue(section_, entry.name, ProfileValueText(entry.text));
    });
}

}  // namespace orvella
