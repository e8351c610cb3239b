#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile/profile_document.h"

// Whatever the bytes, the parser keeps every line: its text parses back to the same text,
// and every key it lists can be found again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvella::ProfileDocument document = orvella::ProfileDocument::Parse(text);
    const std::string once = document.Serialize();
    if (orvella::ProfileDocument::Parse(once).Serialize() != once)
        std::abort();

    for (const std::string& section : document.SectionNames()) {
        for (const std::string& key : document.KeyNames(section)) {
            if (!document.HasKey(section, key) || !document.Value(section, key))
                std::abort();
        }
    }
    // A name that would change the file's lines is refused and changes nothing.
    if (document.SetValue("S", "fuzz=key", "value") || document.Serialize() != once)
        std::abort();
    // Edits keep the indices right: a written key reads back, a deleted one is gone.
    std::string section = document.SectionNames().empty() ? "S" : document.SectionNames()[0];
    if (!orvella::ProfileDocument::Writable(section, "fuzz", "value"))
        section = "S";
    if (!document.SetValue(section, "fuzz", "value") || document.Value(section, "FUZZ") != "value")
        std::abort();
    document.DeleteKey(section, "fuzz");
    for (const std::string& key : document.KeyNames(section)) {
        if (!document.HasKey(section, key))
            std::abort();
    }
    return 0;
}
