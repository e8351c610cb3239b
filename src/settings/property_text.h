#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// The text forms of control properties in a form store. Names of enumerations and sets are
// matched without regard to case, since the files are edited by hand too.

std::string FormatBool(bool value);                    // "True" / "False"
std::optional<bool> ParseBool(std::string_view text);  // nullopt: no such name

// The name at `index`; an index outside the list is written as its number, which a restore
// does not take for a name, so the control keeps its value.
std::string FormatEnum(const std::vector<std::string>& names, int index);
std::optional<int> ParseEnum(const std::vector<std::string>& names, std::string_view text);

// Bit i of `bits` stands for names[i]: "[fsBold,fsItalic]", "[]" for none. Bits past the
// list are not written.
std::string FormatSet(const std::vector<std::string>& names, std::uint32_t bits);
// The brackets may be missing and names may carry blanks; unknown names are dropped, so a
// set written by a later version with more members still gives the members we know.
std::uint32_t ParseSet(const std::vector<std::string>& names, std::string_view text);

// A set of more members does not fit the bit mask of ParseSet.
inline constexpr std::size_t kMaxSetMembers = 32;

}  // namespace orvella
