#include "shell/file_chooser.h"

#include "platform/text.h"

namespace orvella {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

}  // namespace

std::vector<FileFilter> ParseWindowsFilter(std::string_view filter) {
    std::vector<FileFilter> filters;
    const std::vector<std::string_view> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter entry{std::string(parts[i]), {}};
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            const std::string_view trimmed = TrimBlanks(pattern);
            if (!trimmed.empty())
                entry.patterns.emplace_back(trimmed);
        }
        if (!entry.patterns.empty())
            filters.push_back(std::move(entry));
    }
    return filters;
}

}  // namespace orvella
