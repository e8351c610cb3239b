#pragma once

#include <string>
#include <string_view>

namespace orvella {

// Text in Orvella is UTF-8. Files written on Windows arrive in Windows-1252 and are
// converted on the way in.
bool IsValidUtf8(std::string_view bytes);
// Bytes of the character at text[i]: a whole valid UTF-8 sequence, else that one byte (a
// name that is not UTF-8 there, such as a Latin-1 "caf\xe9.png", goes byte by byte).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i);
std::string Windows1252ToUtf8(std::string_view bytes);
// UTF-8 stays as it is (a leading byte-order mark is dropped); anything else is taken
// as Windows-1252.
std::string DecodeSystemText(std::string_view bytes);
// The same, keeping the buffer when it is UTF-8 already.
std::string DecodeSystemBuffer(std::string&& bytes);

// Case folding as Windows compares names: ASCII and the Latin letters of Latin-1 and
// Latin Extended-A, so "Ä" and "ä" are one name. Other characters compare as they are.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// A hash of FoldCase(text), without building it for ASCII text.
std::size_t HashIgnoreCase(std::string_view text);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Blanks and tabs, as the profile functions of Windows trim them.
std::string_view TrimBlanks(std::string_view text);

}  // namespace orvella
