#include "platform/profile/profile_document.h"

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
    ProfileDocument document;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            std::string_view name = trimmed.substr(1);
            const std::size_t close = name.find(']');
            if (close != std::string_view::npos)
                name = name.substr(0, close);
            Section section;
            section.name = std::string(TrimBlanks(name));
            section.header = std::string(line);
            document.sections_.push_back(std::move(section));
            continue;
        }
        Line parsed;
        parsed.text = std::string(line);
        if (!IsBlankLine(line) && !IsComment(line)) {
            const std::size_t equals = line.find('=');
            parsed.key = std::string(TrimBlanks(line.substr(0, equals)));
            parsed.is_entry = true;
        }
        if (document.sections_.empty()) {
            document.preamble_.push_back(std::move(parsed));
        } else {
            document.sections_.back().lines.push_back(std::move(parsed));
        }
    }
    document.RebuildSectionIndex();
    return document;
}

std::string ProfileDocument::Serialize() const {
    std::size_t size = 0;
    for (const Line& line : preamble_)
        size += line.text.size() + 2;
    for (const Section& section : sections_) {
        size += section.header.size() + 2;
        for (const Line& line : section.lines)
            size += line.text.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const Line& line : preamble_)
        out.append(line.text).append("\r\n");
    for (const Section& section : sections_) {
        out.append(section.header).append("\r\n");
        for (const Line& line : section.lines)
            out.append(line.text).append("\r\n");
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
            keys.push_back(line.key);
    }
    return keys;
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
    const std::size_t equals = line->text.find('=');
    if (equals == std::string::npos)
        return std::string();
    return std::string(StripQuotes(TrimBlanks(std::string_view(line->text).substr(equals + 1))));
}

void ProfileDocument::SetValue(std::string_view section, std::string_view key,
                               std::string_view value) {
    Section* target = FindSection(section);
    if (target == nullptr) {
        Section created;
        created.name = std::string(TrimBlanks(section));
        created.header = "[" + created.name + "]";
        sections_.push_back(std::move(created));
        section_index_.emplace(FoldCase(sections_.back().name), sections_.size() - 1);
        target = &sections_.back();
    }
    // The line is written as "key=value" as it stands, and a reader takes the text before
    // its first "=" as the key: a key with "=" in it is known by that part from now on,
    // and the rest of it belongs to the value.
    const std::size_t equals = key.find('=');
    const std::string_view trimmed_key = TrimBlanks(key.substr(0, equals));
    std::string full_value;
    if (equals != std::string_view::npos)
        full_value.append(key.substr(equals + 1)).append("=");
    full_value.append(value);

    if (const Line* existing = FindLine(*target, trimmed_key)) {
        Line& line = const_cast<Line&>(*existing);
        line.text = EntryText(line.key, full_value);
        return;
    }
    // New keys go after the section's last non-blank line, so the blank line that
    // separates it from the next section stays where it is.
    std::size_t position = target->lines.size();
    while (position > 0 && IsBlankLine(target->lines[position - 1].text))
        --position;
    Line line;
    line.key = std::string(trimmed_key);
    line.text = EntryText(line.key, full_value);
    line.is_entry = true;
    if (position == target->lines.size()) {
        target->lines.push_back(std::move(line));
        if (target->index_valid) {
            target->key_index.emplace(FoldCase(trimmed_key), target->lines.size() - 1);
        }
    } else {
        target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(position),
                             std::move(line));
        target->index_valid = false;
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
    const std::string folded = FoldCase(TrimBlanks(section));
    const std::size_t before = sections_.size();
    std::erase_if(sections_, [&](const Section& s) { return FoldCase(s.name) == folded; });
    if (sections_.size() == before)
        return false;
    RebuildSectionIndex();
    return true;
}

ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const ProfileDocument::Section* ProfileDocument::FindSection(std::string_view name) const {
    const auto found = section_index_.find(FoldCase(TrimBlanks(name)));
    return found == section_index_.end() ? nullptr : &sections_[found->second];
}

const ProfileDocument::Line* ProfileDocument::FindLine(const Section& section,
                                                       std::string_view key) {
    if (!section.index_valid)
        RebuildIndex(section);
    const auto found = section.key_index.find(FoldCase(TrimBlanks(key)));
    return found == section.key_index.end() ? nullptr : &section.lines[found->second];
}

void ProfileDocument::RebuildIndex(const Section& section) {
    section.key_index.clear();
    section.key_index.reserve(section.lines.size());
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        if (section.lines[i].is_entry)
            section.key_index.emplace(FoldCase(section.lines[i].key), i);
    }
    section.index_valid = true;
}

void ProfileDocument::RebuildSectionIndex() {
    section_index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        section_index_.emplace(FoldCase(sections_[i].name), i);  // first one wins
    }
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
