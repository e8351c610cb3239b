#include "tools/file_matches.h"

#include "platform/text.h"
#include "tools/path_style.h"

namespace orvella {
namespace {

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

bool NameMatches(std::string_view name, std::string_view pattern) {
    if (pattern.empty()) {
        return true;
    }
    std::size_t i = 0;  // in name
    std::size_t j = 0;  // in pattern
    while (i < name.size() && j < pattern.size()) {
        const char p = pattern[j];
        const char f = name[i];
        if (p == f) {
            ++i;
            ++j;
        } else if (p == '?') {
            if (f != '.') {
                i += Utf8CharacterLength(name, i);
            }
            ++j;
        } else if (p == '*') {
            if (f == '.') {
                const std::size_t dot = pattern.find('.', j);
                j = dot == std::string_view::npos ? pattern.size() : dot;
            } else {
                ++i;
            }
        } else {
            return false;
        }
    }
    while (j < pattern.size() && (pattern[j] == '*' || pattern[j] == '?')) {
        ++j;
    }
    return i >= name.size() && j == pattern.size();
}

}  // namespace

bool FileMatches(std::string_view file_text, std::string_view pattern_text) {
    const std::string file = UpperAscii(file_text);
    const std::string pattern = UpperAscii(pattern_text);
    const std::size_t file_split = FolderPartLength(file);
    const std::size_t pattern_split = FolderPartLength(pattern);
    const std::string_view file_folder(file.data(), file_split);
    std::string_view pattern_folder(pattern.data(), pattern_split);

    if (!pattern_folder.empty()) {
        if (StyleOf(pattern) == PathStyle::Windows && pattern_folder.size() >= 2 &&
            pattern_folder[1] == ':') {
            const char drive = pattern_folder[0];
            if (drive != '*' && drive != '?' && (file.empty() || drive != file[0])) {
                return false;
            }
            pattern_folder.remove_prefix(2);
        }
        // A Windows file's folder begins with its drive ("C:"), which the pattern's folder
        // never covers once its own drive is dropped; a POSIX folder has no such prefix.
        const std::size_t drive_length = StyleOf(file) == PathStyle::Windows ? 2 : 0;
        if (file_folder.size() < drive_length ||
            pattern_folder.size() > file_folder.size() - drive_length ||
            !file_folder.ends_with(pattern_folder)) {
            return false;
        }
    }
    return NameMatches(std::string_view(file).substr(file_split),
                       std::string_view(pattern).substr(pattern_split));
}

std::string RemoveTrailingBackslash(std::string_view text) {
    const char separator = SeparatorOf(StyleOf(text));
    if (text.size() > 1 && text.back() == separator && text[text.size() - 2] != ':') {
        text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace orvella
