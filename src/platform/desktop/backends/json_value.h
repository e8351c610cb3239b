#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// A JSON value as the desktops' tools print it (swaymsg): enough to read their answers.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue, std::less<>> members;

    // The member `name` of an object; null for anything else.
    const JsonValue* Member(std::string_view name) const;
};

// `text` as one JSON value; nullopt when it is not one.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace orvella
