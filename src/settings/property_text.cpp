#include "settings/property_text.h"

#include "platform/text.h"

namespace orvella {
namespace {

const std::vector<std::string>& BoolNames() {
    static const std::vector<std::string> kNames = {"False", "True"};
    return kNames;
}

}  // namespace

std::string FormatBool(bool value) {
    return FormatEnum(BoolNames(), value ? 1 : 0);
}

std::optional<bool> ParseBool(std::string_view text) {
    const std::optional<int> index = ParseEnum(BoolNames(), text);
    if (!index)
        return std::nullopt;
    return *index == 1;
}

std::string FormatEnum(const std::vector<std::string>& names, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names.size())
        return std::to_string(index);
    return names[static_cast<std::size_t>(index)];
}

std::optional<int> ParseEnum(const std::vector<std::string>& names, std::string_view text) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoreCase(names[i], text))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string FormatSet(const std::vector<std::string>& names, std::uint32_t bits) {
    std::string text = "[";
    bool first = true;
    for (std::size_t i = 0; i < names.size() && i < kMaxSetMembers; ++i) {
        if ((bits & (std::uint32_t{1} << i)) == 0)
            continue;
        if (!first)
            text.push_back(',');
        text.append(names[i]);
        first = false;
    }
    text.push_back(']');
    return text;
}

std::uint32_t ParseSet(const std::vector<std::string>& names, std::string_view text) {
    text = TrimBlanks(text);
    if (text.starts_with('['))
        text.remove_prefix(1);
    if (text.ends_with(']'))
        text.remove_suffix(1);
    std::uint32_t bits = 0;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view member = TrimBlanks(text.substr(0, comma));
        const std::optional<int> index = ParseEnum(names, member);
        if (index && static_cast<std::size_t>(*index) < kMaxSetMembers)
            bits |= std::uint32_t{1} << *index;
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return bits;
}

}  // namespace orvella
