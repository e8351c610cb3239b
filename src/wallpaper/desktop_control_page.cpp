#include "wallpaper/desktop_control_page.h"

#include <charconv>
#include <map>

#include "platform/files/files.h"
#include "platform/text.h"
#include "wallpaper/wallpaper_pages.h"

namespace orvella {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Element and attribute names are ASCII; the byte positions must stay those of the page.
std::string AsciiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

// The attributes of the first element named `tag`, names folded to lower case; nullopt
// when there is no such element. Values may be quoted with " or ' or stand bare.
std::optional<std::map<std::string, std::string>> Attributes(std::string_view html,
                                                             std::string_view tag) {
    const std::string folded = AsciiLower(html);
    const std::string opening = "<" + AsciiLower(tag);
    std::size_t at = 0;
    while ((at = folded.find(opening, at)) != std::string::npos) {
        const std::size_t after = at + opening.size();
        if (after < html.size() && (IsSpace(html[after]) || html[after] == '>'))
            break;
        at = after;
    }
    if (at == std::string::npos)
        return std::nullopt;
    std::map<std::string, std::string> attributes;
    std::size_t i = at + opening.size();
    while (i < html.size() && html[i] != '>') {
        if (IsSpace(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t name_start = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' && html[i] != '>')
            ++i;
        std::string name = AsciiLower(html.substr(name_start, i - name_start));
        while (i < html.size() && IsSpace(html[i]))
            ++i;
        std::string value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsSpace(html[i]))
                ++i;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                const std::size_t end = html.find(quote, i);
                if (end == std::string_view::npos)
                    return std::nullopt;  // an element that never ends
                value = std::string(html.substr(i, end - i));
                i = end + 1;
            } else {
                const std::size_t value_start = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != '>')
                    ++i;
                value = std::string(html.substr(value_start, i - value_start));
            }
        }
        attributes.emplace(std::move(name), std::move(value));
    }
    if (i >= html.size())
        return std::nullopt;
    return attributes;
}

std::optional<int> PositiveNumber(std::string_view text) {
    text = TrimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0)
        return std::nullopt;
    return value;
}

// "#RRGGBB" as a Windows colour value.
std::optional<ColorRef> HtmlColour(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (error != std::errc() || end != text.data() + 7)
        return std::nullopt;
    return MakeColorRef((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::string Get(const std::map<std::string, std::string>& attributes, const std::string& name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
}

}  // namespace

std::optional<DesktopControlPage> ParseDesktopControlPage(std::string_view html) {
    const std::optional<std::map<std::string, std::string>> object = Attributes(html, "object");
    const std::optional<std::map<std::string, std::string>> body = Attributes(html, "body");
    if (!object || !body)
        return std::nullopt;
    if (!EqualsIgnoreCase(TrimBlanks(Get(*object, "classid")),
                          "CLSID:" + std::string(kDesktopControlClassId)))
        return std::nullopt;
    const std::optional<int> width = PositiveNumber(Get(*object, "width"));
    const std::optional<int> height = PositiveNumber(Get(*object, "height"));
    if (!width || !height)
        return std::nullopt;

    DesktopControlPage page;
    page.control_width = *width;
    page.control_height = *height;
    page.background = HtmlColour(Get(*body, "bgcolor")).value_or(0);
    if (body->contains("background")) {
        page.kind = DesktopControlPageKind::Calendar;
        page.background_image = Get(*body, "background");
    } else {
        page.kind = DesktopControlPageKind::Starfield;
        page.background = 0;  // the starfield is always drawn over black
    }
    return page;
}

Result<std::optional<DesktopControlPage>> ReadDesktopControlPage(const std::string& path) {
    Result<std::optional<std::string>> text = ReadWholeFile(path);
    if (!text)
        return text.status();
    if (!*text)
        return Status::Error(path + ": the page does not exist");
    return ParseDesktopControlPage(**text);
}

}  // namespace orvella
