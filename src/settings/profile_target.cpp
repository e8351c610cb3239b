#include "settings/profile_target.h"

#include "platform/profile/profile_file.h"
#include "platform/text.h"

namespace orvella {

std::string ProfileValueText(std::string_view text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    const bool loses_blanks = TrimBlanks(text).size() != text.size();
    const bool loses_quotes = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                              text.back() == text.front();
    if (loses_blanks || loses_quotes)
        return "\"" + std::string(text) + "\"";
    return std::string(text);
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
