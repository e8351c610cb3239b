#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvella {

// A profile (INI) file in memory, with the rules of the Windows profile functions:
// section and key names compared without regard to case, a key is the text before the
// first "=", names and values trimmed of blanks, a value in matching quotes loses them.
// Lines the program does not touch keep their exact text; lookups go through indices,
// so a section of 100 000 keys costs no more per key than one of ten.
class ProfileDocument {
public:
    // Never fails: every line is kept, lines it cannot give a meaning keep their text.
    static ProfileDocument Parse(std::string_view text);
    // Lines end in CR LF, as Windows writes them.
    std::string Serialize() const;

    // Section names in file order; a name that stands twice is listed once.
    std::vector<std::string> SectionNames() const;
    bool HasSection(std::string_view section) const;
    // Key names of the first section of that name, in file order, as spelled in the file.
    std::vector<std::string> KeyNames(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The value as GetPrivateProfileString returns it: trimmed, quotes stripped.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // As WritePrivateProfileString: replaces the value of the first key of that name
    // (keeping the key's spelling), or appends the key to the section, creating the
    // section at the end of the file when needed. Like Windows, it writes "key=value" as it
    // stands: a key with "=" in it is known by the text before that "=" afterwards, and
    // neither may hold a line break.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // True when something was removed.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines.
    bool EraseSection(std::string_view section);

    bool operator==(const ProfileDocument& other) const { return Serialize() == other.Serialize(); }

private:
    struct Line {
        std::string text;  // the line as it stands in the file, without line end
        std::string key;   // trimmed key; empty when the line holds none
        bool is_entry = false;
    };
    struct Section {
        std::string name;
        std::string header;  // the header line as written
        std::vector<Line> lines;
        mutable std::unordered_map<std::string, std::size_t> key_index;  // folded key -> line
        mutable bool index_valid = false;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    static const Line* FindLine(const Section& section, std::string_view key);
    static void RebuildIndex(const Section& section);
    void RebuildSectionIndex();

    std::vector<Line> preamble_;  // lines before the first section header
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> section_index_;  // folded name -> first
};

// The integer of a profile value: "0x"/"0X" introduces hexadecimal, otherwise an optional
// sign and decimal digits; reading stops at the first other character. nullopt when no
// digit stands at the start.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

}  // namespace orvella
