#include "platform/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace orvella {
namespace {

// Code points of 0x80..0x9F in Windows-1252; 0 marks the five bytes it leaves undefined,
// which we map to the C1 control of the same number as Windows' MultiByteToWideChar does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when it is not valid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

char32_t FoldCodePoint(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z')
        return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 32;
    // Latin Extended-A pairs upper/lower as even/odd, with two runs offset by one.
    if ((cp >= 0x100 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177))
        return cp | 1;
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) {
        return (cp % 2 == 1) ? cp + 1 : cp;
    }
    if (cp == 0x178)
        return 0xFF;
    return cp;
}

// Whether the eight bytes at `at` are all ASCII.
bool AsciiWord(std::string_view bytes, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        // Profile files are mostly ASCII: a word at a time through those.
        if (i + 8 <= bytes.size() && AsciiWord(bytes, i)) {
            i += 8;
            continue;
        }
        const std::size_t length = DecodeUtf8(bytes, i, cp);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::size_t Utf8CharacterLength(std::string_view text, std::size_t i) {
    char32_t cp = 0;
    return std::max<std::size_t>(DecodeUtf8(text, i, cp), 1);
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else if (b < 0xA0) {
            const char32_t mapped = kCp1252High[b - 0x80];
            AppendUtf8(out, mapped != 0 ? mapped : b);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string DecodeSystemText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Windows1252ToUtf8(bytes);
}

std::string DecodeSystemBuffer(std::string&& bytes) {
    const std::string_view view(bytes);
    if (!view.starts_with("\xEF\xBB\xBF") && IsValidUtf8(view))
        return std::move(bytes);
    return DecodeSystemText(view);
}

namespace {

bool IsAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        if (!AsciiWord(text, i))
            return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    }
    return true;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

}  // namespace

std::string FoldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b));
            ++i;
            continue;
        }
        const std::size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) {  // not UTF-8: keep the byte, compare it as it is
            out.push_back(text[i]);
            ++i;
            continue;
        }
        AppendUtf8(out, FoldCodePoint(cp));
        i += length;
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    // Folding keeps every character's length, so texts of two lengths never fold alike: a
    // search through a long list rejects most entries here.
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    if (IsAscii(a) && IsAscii(b)) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (LowerAscii(a[i]) != LowerAscii(b[i]))
                return false;
        }
        return true;
    }
    return FoldCase(a) == FoldCase(b);
}

namespace {

// A word of ASCII bytes with A-Z made a-z, all eight at once.
std::uint64_t LowerAsciiWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    const std::uint64_t from_a = word + (0x80 - 'A') * kOnes;
    const std::uint64_t past_z = word + (0x80 - 'Z' - 1) * kOnes;
    const std::uint64_t upper = from_a & ~past_z & 0x8080808080808080ull;
    return word | (upper >> 2);
}

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The bytes at `at`, fewer than eight at the end of the text, as one word (a fixed-size copy
// is a load; a copy of a variable size would be a call).
std::uint64_t WordAt(std::string_view text, std::size_t at) {
    std::uint64_t word = 0;
    if (at + 8 <= text.size()) {
        std::memcpy(&word, text.data() + at, sizeof word);
        return word;
    }
    for (std::size_t k = 0; at + k < text.size(); ++k)
        word |= std::uint64_t{static_cast<unsigned char>(text[at + k])} << (8 * k);
    return word;
}

// Words of eight bytes mixed in turn, then MurmurHash3's finaliser. `lower` makes ASCII
// letters small first; bytes of other text are hashed as they are. `high` gathers the
// upper bits of all bytes, so a caller learns in the same pass whether the text was ASCII.
std::size_t HashWords(std::string_view text, bool lower, std::uint64_t& high) {
    std::uint64_t h = 14695981039346656037ull ^ text.size();
    for (std::size_t i = 0; i < text.size(); i += 8) {
        const std::uint64_t word = WordAt(text, i);
        high |= word;
        h = (h ^ (lower ? LowerAsciiWord(word) : word)) * 0x100000001b3ull;
        h ^= h >> 29;
    }
    h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdull;
    h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53ull;
    return static_cast<std::size_t>(h ^ (h >> 33));
}

}  // namespace

std::size_t HashIgnoreCase(std::string_view text) {
    // For ASCII text, FoldCase only makes the letters small; other text is folded first.
    std::uint64_t high = 0;
    const std::size_t hash = HashWords(text, true, high);
    if ((high & kHighBits) == 0)
        return hash;
    return HashWords(FoldCase(text), false, high);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return FoldCase(text).starts_with(FoldCase(prefix));
}

std::string_view TrimBlanks(std::string_view text) {
    const auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace orvella
