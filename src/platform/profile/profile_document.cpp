#include "platform/profile/profile_document.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/text.h"

namespace orvella {
namespace {

// GetPrivateProfileString strips one pair of matching quotes around a trimmed value.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// find_first_of would look each character up in the set with a call of its own.
bool HasLineBreak(std::string_view text) {
    return text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos;
}

bool IsBlankLine(std::string_view line) {
    return TrimBlanks(line).empty();
}

// A line whose first visible character is ";" is a comment: kept, never a key.
bool IsComment(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    return !trimmed.empty() && trimmed.front() == ';';
}

std::string EntryText(std::string_view key, std::string_view value) {
    std::string text;
    text.reserve(key.size() + value.size() + 1);
    text.append(key).append("=").append(value);
    return text;
}

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view text) {
    return ParseBuffer(std::string(text));
}

ProfileDocument ProfileDocument::ParseBuffer(std::string&& text) {
    ProfileDocument document;
    document.text_ = std::move(text);
    const std::string_view all(document.text_);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        document.AddParsedLine(line);
    }
    document.RebuildSectionIndex();
    return document;
}

void ProfileDocument::AddParsedLine(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
        std::string_view name = trimmed.substr(1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos)
            name = name.substr(0, close);
        Section section;
        section.name = std::string(TrimBlanks(name));
        section.header = MakeLine(line);
        section.header.is_entry = false;
        sections_.push_back(std::move(section));
        return;
    }
    (sections_.empty() ? preamble_ : sections_.back().lines).push_back(MakeLine(line));
}

ProfileDocument::Line ProfileDocument::MakeLine(std::string_view text) {
    Line line;
    line.at = static_cast<std::size_t>(text.data() - text_.data());
    line.size = static_cast<std::uint32_t>(text.size());
    if (!IsBlankLine(text) && !IsComment(text)) {
        const std::string_view key = TrimBlanks(text.substr(0, text.find('=')));
        line.key_from = static_cast<std::uint32_t>(key.data() - text.data());
        line.key_size = static_cast<std::uint32_t>(key.size());
        line.is_entry = true;
    }
    return line;
}

ProfileDocument::Line ProfileDocument::StoreLine(std::string_view text) {
    const std::size_t at = text_.size();
    // With its line end, so that lines written in file order serialize in place.
    text_.append(text).append("\r\n");
    return MakeLine(std::string_view(text_).substr(at, text.size()));
}

std::string_view ProfileDocument::SerializedInPlace() const {
    const Line* first = !preamble_.empty()   ? &preamble_.front()
                        : !sections_.empty() ? &sections_.front().header
                                             : nullptr;
    if (first == nullptr)
        return {};
    std::size_t next = first->at;
    const auto follows = [&](const Line& line) {
        if (line.at != next || std::string_view(text_).substr(line.at + line.size, 2) != "\r\n")
            return false;
        next = line.at + line.size + 2;
        return true;
    };
    for (const Line& line : preamble_) {
        if (!follows(line))
            return {};
    }
    for (const Section& section : sections_) {
        if (!follows(section.header))
            return {};
        for (const Line& line : section.lines) {
            if (!follows(line))
                return {};
        }
    }
    return std::string_view(text_).substr(first->at, next - first->at);
}

std::string ProfileDocument::Serialize() const {
    std::size_t size = 0;
    for (const Line& line : preamble_)
        size += line.size + 2;
    for (const Section& section : sections_) {
        size += section.header.size + 2;
        for (const Line& line : section.lines)
            size += line.size + 2;
    }
    std::string out;
    out.reserve(size);
    for (const Line& line : preamble_)
        out.append(Text(line)).append("\r\n");
    for (const Section& section : sections_) {
        out.append(Text(section.header)).append("\r\n");
        for (const Line& line : section.lines)
            out.append(Text(line)).append("\r\n");
    }
    return out;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(section_index_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const auto found = section_index_.find(FoldCase(sections_[i].name));
        if (found != section_index_.end() && found->second == i)
            names.push_back(sections_[i].name);
    }
    return names;
}

bool ProfileDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> keys;
    const Section* found = FindSection(section);
    if (found == nullptr)
        return keys;
    keys.reserve(found->lines.size());
    for (const Line& line : found->lines) {
        if (line.is_entry)
            keys.emplace_back(Key(line));
    }
    return keys;
}

void ProfileDocument::ForEachKey(std::string_view section,
                                 const std::function<void(std::string_view)>& visit) const {
    if (const Section* found = FindSection(section)) {
        for (const Line& line : found->lines) {
            if (line.is_entry)
                visit(Key(line));
        }
    }
}

bool ProfileDocument::HasKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    return found != nullptr && FindLine(*found, key) != nullptr;
}

std::optional<std::string> ProfileDocument::Value(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr)
        return std::nullopt;
    const Line* line = FindLine(*found, key);
    if (line == nullptr)
        return std::nullopt;
    const std::string_view text = Text(*line);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::string();
    return std::string(StripQuotes(TrimBlanks(text.substr(equals + 1))));
}

Status ProfileDocument::Writable(std::string_view section, std::string_view key,
                                 std::string_view value) {
    const auto refuse = [&](std::string_view why) {
        return Status::Error("[" + std::string(section) + "] " + std::string(key) + ": " +
                             std::string(why));
    };
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
        return refuse("a line break cannot be stored in a profile file");
    }
    if (section.find(']') != std::string_view::npos)
        return refuse("a section name cannot hold \"]\"");
    const std::string_view trimmed = TrimBlanks(key);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[' ||
        trimmed.find('=') != std::string_view::npos) {
        return refuse("not a key of a profile file");
    }
    return Status::Ok();
}

Status ProfileDocument::SetValue(std::string_view section, std::string_view key,
                                 std::string_view value) {
    if (Status writable = Writable(section, key, value); !writable) {
        if (refused_)
            refused_ = writable;
        return writable;
    }
    Section* target = FindSection(section);
    if (target == nullptr) {
        Section created;
        created.name = std::string(TrimBlanks(section));
        created.header = StoreLine("[" + created.name + "]");
        created.header.is_entry = false;
        sections_.push_back(std::move(created));
        section_index_.emplace(FoldCase(sections_.back().name), sections_.size() - 1);
        target = &sections_.back();
    }
    const std::string_view trimmed_key = TrimBlanks(key);
    const std::string stored = StoredProfileValue(value);
    if (const Line* existing = FindLine(*target, trimmed_key)) {
        const std::string entry = EntryText(Key(*existing), stored);
        const_cast<Line&>(*existing) = StoreLine(entry);
        return Status::Ok();
    }
    AppendLine(*target, trimmed_key, stored);
    return Status::Ok();
}

void ProfileDocument::AppendLine(Section& target, std::string_view key, std::string_view value) {
    // New keys go after the section's last non-blank line, so the blank line that
    // separates it from the next section stays where it is.
    std::size_t position = target.lines.size();
    while (position > 0 && IsBlankLine(Text(target.lines[position - 1])))
        --position;
    const Line line = StoreLine(EntryText(key, value));
    if (position == target.lines.size()) {
        target.lines.push_back(line);
        if (target.index_valid)
            IndexLine(target, static_cast<std::uint32_t>(target.lines.size() - 1));
    } else {
        target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(position), line);
        target.index_valid = false;
    }
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* target = FindSection(section);
    if (target == nullptr)
        return false;
    const Line* line = FindLine(*target, key);
    if (line == nullptr)
        return false;
    target->lines.erase(target->lines.begin() + (line - target->lines.data()));
    target->index_valid = false;
    return true;
}

bool ProfileDocument::EraseSection(std::string_view section) {
    const std::string_view trimmed = TrimBlanks(section);
    const std::size_t before = sections_.size();
    std::erase_if(sections_, [&](const Section& s) { return EqualsIgnoreCase(s.name, trimmed); });
    if (sections_.size() == before)
        return false;
    RebuildSectionIndex();
    return true;
}

ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
    const std::string_view trimmed = TrimBlanks(name);
    // A batch writes one section after the other: most lookups ask for the last one again.
    if (last_section_ < sections_.size() &&
        EqualsIgnoreCase(sections_[last_section_].name, trimmed)) {
        return &sections_[last_section_];
    }
    const auto found = section_index_.find(FoldCase(trimmed));
    if (found == section_index_.end())
        return nullptr;
    last_section_ = found->second;
    return &sections_[found->second];
}

const ProfileDocument::Line* ProfileDocument::FindLine(const Section& section,
                                                       std::string_view key) const {
    if (!section.index_valid)
        RebuildIndex(section);
    const std::string_view wanted = TrimBlanks(key);
    if (const Line* next = NextLine(section, wanted))
        return next;
    const std::int64_t found = section.index.Find(
        KeyTable::Hash(wanted), wanted, [&](std::uint32_t n) { return Key(section.lines[n]); });
    if (found < 0)
        return nullptr;
    section.next = static_cast<std::uint32_t>(found) + 1;
    return &section.lines[static_cast<std::size_t>(found)];
}

// Readers often ask for the keys of a section in their order: the entry after the last one
// found answers without a hash, unless an earlier line has its key.
const ProfileDocument::Line* ProfileDocument::NextLine(const Section& section,
                                                       std::string_view key) const {
    std::uint32_t n = section.next;
    while (n < section.lines.size() && !section.lines[n].is_entry)
        ++n;
    if (n >= section.lines.size())
        return nullptr;
    const Line& line = section.lines[n];
    if (line.shadowed || !EqualsIgnoreCase(Key(line), key))
        return nullptr;
    section.next = n + 1;
    return &line;
}

void ProfileDocument::ReserveKeys(std::string_view section, std::size_t keys) {
    Section* target = FindSection(section);
    if (target == nullptr)
        return;
    target->lines.reserve(target->lines.size() + keys);
    if (target->index_valid)  // otherwise built at its full size when first asked
        target->index.Reserve(keys);
}

void ProfileDocument::IndexLine(const Section& section, std::uint32_t line) const {
    const std::string_view key = Key(section.lines[line]);
    // The first line of a key answers for it.
    section.lines[line].shadowed = !section.index.Insert(
        KeyTable::Hash(key), line, [&](std::uint32_t n) { return Key(section.lines[n]); });
}

void ProfileDocument::RebuildIndex(const Section& section) const {
    const std::vector<Line>& lines = section.lines;
    section.index.Reset(lines.size());
    section.index.InsertAll(
        lines.size(), [&](std::size_t n) { return Key(lines[n]); },
        [&](std::size_t n) { return lines[n].is_entry; },
        [&](std::size_t n, bool first) { lines[n].shadowed = !first; });
    section.index_valid = true;
}

void ProfileDocument::RebuildSectionIndex() {
    section_index_.clear();
    last_section_ = 0;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        section_index_.emplace(FoldCase(sections_[i].name), i);  // first one wins
    }
}

std::string StoredProfileValue(std::string_view value) {
    const bool quoted = TrimBlanks(value).size() != value.size() || StripQuotes(value) != value;
    return quoted ? "\"" + std::string(value) + "\"" : std::string(value);
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
    text = TrimBlanks(text);
    std::uint32_t value = 0;  // wraps like the 32-bit arithmetic of the Windows parser
    bool any_digit = false;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        for (char c : text.substr(2)) {
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                break;
            value = value * 16 + static_cast<std::uint32_t>(digit);
            any_digit = true;
        }
    } else {
        bool negative = false;
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            negative = text.front() == '-';
            text.remove_prefix(1);
        }
        for (char c : text) {
            if (c < '0' || c > '9')
                break;
            value = value * 10 + static_cast<std::uint32_t>(c - '0');
            any_digit = true;
        }
        if (negative)
            value = 0u - value;
    }
    if (!any_digit)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace orvella
