#include "settings/property_entry.h"

#include "settings/integer_text.h"
#include "settings/property_text.h"

namespace orvella {

PropertyEntry BoolEntry(std::string name, std::function<bool()> get,
                        std::function<void(bool)> set) {
    return {std::move(name), [get = std::move(get)] { return FormatBool(get()); },
            [set = std::move(set)](std::string_view text) {
                if (const std::optional<bool> value = ParseBool(text))
                    set(*value);
            }};
}

PropertyEntry IntegerEntry(std::string name, std::function<std::int32_t()> get,
                           std::function<void(std::int32_t)> set) {
    return {std::move(name), [get = std::move(get)] { return FormatInteger(get()); },
            [set = std::move(set)](std::string_view text) { set(ParseInteger(text).value_or(0)); }};
}

PropertyEntry ColourEntry(std::string name, std::function<ColourValue()> get,
                          std::function<void(ColourValue)> set) {
    return IntegerEntry(std::move(name), std::move(get), std::move(set));
}

PropertyEntry EnumEntry(std::string name, std::vector<std::string> names, std::function<int()> get,
                        std::function<void(int)> set) {
    return {std::move(name), [names, get = std::move(get)] { return FormatEnum(names, get()); },
            [names, set = std::move(set)](std::string_view text) {
                if (const std::optional<int> index = ParseEnum(names, text))
                    set(*index);
            }};
}

PropertyEntry SetEntry(std::string name, std::vector<std::string> names,
                       std::function<std::uint32_t()> get, std::function<void(std::uint32_t)> set) {
    return {std::move(name), [names, get = std::move(get)] { return FormatSet(names, get()); },
            [names, set = std::move(set)](std::string_view text) { set(ParseSet(names, text)); }};
}

PropertyEntry StringEntry(std::string name, std::function<std::string()> get,
                          std::function<void(const std::string&)> set) {
    return {std::move(name), std::move(get),
            [set = std::move(set)](std::string_view text) { set(std::string(text)); }};
}

}  // namespace orvella
