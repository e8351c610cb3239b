#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile/key_table.h"
#include "platform/status.h"

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
    // The same, taking over the buffer.
    static ProfileDocument ParseBuffer(std::string&& text);
    // Lines end in CR LF, as Windows writes them.
    std::string Serialize() const;
    // What Serialize returns, without a copy, when the document's lines stand in its buffer
    // in file order already (a document built by writes alone, or read and left unchanged);
    // empty otherwise.
    std::string_view SerializedInPlace() const;
    // Room for `bytes` of lines to be written, so a large batch grows the buffer once.
    void Reserve(std::size_t bytes) { text_.reserve(text_.size() + bytes); }
    // Room for `keys` more keys in an existing section, so its index grows once.
    void ReserveKeys(std::string_view section, std::size_t keys);

    // Section names in file order; a name that stands twice is listed once.
    std::vector<std::string> SectionNames() const;
    bool HasSection(std::string_view section) const;
    // Key names of the first section of that name, in file order, as spelled in the file.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The same names handed to `visit` one by one, for a reader that keeps none of them.
    void ForEachKey(std::string_view section,
                    const std::function<void(std::string_view)>& visit) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // The value as GetPrivateProfileString returns it: trimmed, quotes stripped.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // As WritePrivateProfileString: replaces the value of the first key of that name
    // (keeping the key's spelling), or appends the key to the section, creating the
    // section at the end of the file when needed. Unlike Windows it never writes what would
    // read back otherwise: a value with blanks at its ends or in quotes is quoted, and a
    // line break anywhere, a "]" in a section name, or a key that is empty, holds "=" or
    // begins with ";" or "[" is refused. A refused write changes nothing and stays in
    // refused(), so a batch with one refused write is never saved.
    Status SetValue(std::string_view section, std::string_view key, std::string_view value);
    static Status Writable(std::string_view section, std::string_view key, std::string_view value);
    const Status& refused() const { return refused_; }
    // True when something was removed.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name with all its lines.
    bool EraseSection(std::string_view section);

    bool operator==(const ProfileDocument& other) const { return Serialize() == other.Serialize(); }

private:
    // The text of every line lies in text_, the file's text followed by the lines written
    // since: a document of 100 000 lines is two buffers, not 200 000 strings.
    struct Line {
        std::size_t at = 0;          // in text_
        std::uint32_t size = 0;      // without line end
        std::uint32_t key_from = 0;  // the trimmed key, from the line's start
        std::uint32_t key_size = 0;
        bool is_entry = false;
        mutable bool shadowed = false;  // an earlier line has the key: known with the index
    };
    struct Section {
        std::string name;
        Line header;
        std::vector<Line> lines;
        mutable KeyTable index;  // line numbers by key
        mutable bool index_valid = false;
        mutable std::uint32_t next = 0;  // the line after the last one found
    };

    std::string_view Text(const Line& line) const { return {text_.data() + line.at, line.size}; }
    std::string_view Key(const Line& line) const {
        return Text(line).substr(line.key_from, line.key_size);
    }
    Line MakeLine(std::string_view text);
    Line StoreLine(std::string_view text);
    void AddParsedLine(std::string_view line);

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    const Line* FindLine(const Section& section, std::string_view key) const;
    void AppendLine(Section& target, std::string_view key, std::string_view value);
    const Line* NextLine(const Section& section, std::string_view key) const;
    void RebuildIndex(const Section& section) const;
    void IndexLine(const Section& section, std::uint32_t line) const;
    void RebuildSectionIndex();

    std::string text_;
    std::vector<Line> preamble_;  // lines before the first section header
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> section_index_;  // folded name -> first
    mutable std::size_t last_section_ = 0;  // the last section found, tried first
    Status refused_;
};

// A value as it is written after "=": one with blanks at its ends or in quotes goes in
// quotes, since a reader trims the value and strips one pair of them.
std::string StoredProfileValue(std::string_view value);

// The integer of a profile value: "0x"/"0X" introduces hexadecimal, otherwise an optional
// sign and decimal digits; reading stops at the first other character. nullopt when no
// digit stands at the start.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

}  // namespace orvella
