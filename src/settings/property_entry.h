#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// A registered property, reduced to its text: what to write for the control's current
// value, and how to put a read text onto the control. Both see text trimmed of blanks.
struct PropertyEntry {
    std::string name;
    std::function<std::string()> format;
    std::function<void(std::string_view)> apply;
};

// A colour is the signed 32-bit value 0x00BBGGRR; system colours have the top bit set and
// are therefore negative.
using ColourValue = std::int32_t;

// Applying an entry follows the rules of a restore: text that is no integer gives 0, an
// unknown name of an enumeration (booleans included) leaves the value as it is, a set
// takes the names it knows and drops the others.
PropertyEntry BoolEntry(std::string name, std::function<bool()> get, std::function<void(bool)> set);
PropertyEntry IntegerEntry(std::string name, std::function<std::int32_t()> get,
                           std::function<void(std::int32_t)> set);
PropertyEntry ColourEntry(std::string name, std::function<ColourValue()> get,
                          std::function<void(ColourValue)> set);
PropertyEntry EnumEntry(std::string name, std::vector<std::string> names, std::function<int()> get,
                        std::function<void(int)> set);
PropertyEntry SetEntry(std::string name, std::vector<std::string> names,
                       std::function<std::uint32_t()> get, std::function<void(std::uint32_t)> set);
PropertyEntry StringEntry(std::string name, std::function<std::string()> get,
                          std::function<void(const std::string&)> set);

}  // namespace orvella
