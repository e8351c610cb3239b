#include "settings/xml_outline.h"

#include <set>

namespace orvella {
namespace {

bool IsNameStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || byte >= 0x80;
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A reader over the text that fails for good at the first fault.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    std::optional<XmlOutline> Run();

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool LooksAt(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
    }
    bool SkipPast(std::string_view terminator) {
        const std::size_t found = text_.find(terminator, pos_);
        if (found == std::string_view::npos)
            return false;
        pos_ = found + terminator.size();
        return true;
    }
    std::optional<std::string> Name();
    bool Reference();
    bool Text();
    bool AttributeValue();
    bool Attributes(bool& empty);
    bool Misc();
    bool Doctype();
    bool Element(int depth);
    bool Content(const std::string& name, int depth);

    std::string_view text_;
    std::size_t pos_ = 0;
    XmlOutline outline_;
};

std::optional<std::string> Scanner::Name() {
    if (AtEnd() || !IsNameStart(text_[pos_]))
        return std::nullopt;
    const std::size_t start = pos_;
    while (!AtEnd() && IsNameChar(text_[pos_]))
        ++pos_;
    return std::string(text_.substr(start, pos_ - start));
}

// After "&": a named entity of XML's five or a character reference, up to ";".
bool Scanner::Reference() {
    ++pos_;
    const std::size_t end = text_.find(';', pos_);
    if (end == std::string_view::npos)
        return false;
    const std::string_view ref = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    static const std::set<std::string_view> kNamed = {"amp", "lt", "gt", "quot", "apos"};
    if (kNamed.count(ref) != 0)
        return true;
    if (ref.size() < 2 || ref[0] != '#')
        return false;
    const bool hex = ref[1] == 'x';
    const std::string_view digits = ref.substr(hex ? 2 : 1);
    if (digits.empty())
        return false;
    for (char c : digits) {
        const bool ok =
            (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        if (!ok)
            return false;
    }
    return true;
}

bool Scanner::Text() {
    while (!AtEnd() && text_[pos_] != '<') {
        if (text_[pos_] == '&') {
            if (!Reference())
                return false;
        } else if (LooksAt("]]>")) {
            return false;
        } else {
            ++pos_;
        }
    }
    return true;
}

bool Scanner::AttributeValue() {
    if (AtEnd() || (text_[pos_] != '"' && text_[pos_] != '\''))
        return false;
    const char quote = text_[pos_++];
    while (!AtEnd() && text_[pos_] != quote) {
        if (text_[pos_] == '<')
            return false;
        if (text_[pos_] == '&') {
            if (!Reference())
                return false;
        } else {
            ++pos_;
        }
    }
    if (AtEnd())
        return false;
    ++pos_;
    return true;
}

// After the tag's name, up to and including ">" or "/>".
bool Scanner::Attributes(bool& empty) {
    std::set<std::string> seen;
    for (;;) {
        const std::size_t before = pos_;
        SkipBlanks();
        if (LooksAt("/>") || LooksAt(">")) {
            empty = LooksAt("/>");
            pos_ += empty ? 2 : 1;
            return true;
        }
        if (pos_ == before)
            return false;  // attributes are set apart by blanks
        const std::optional<std::string> name = Name();
        if (!name || !seen.insert(*name).second)
            return false;
        SkipBlanks();
        if (AtEnd() || text_[pos_] != '=')
            return false;
        ++pos_;
        SkipBlanks();
        if (!AttributeValue())
            return false;
    }
}

// Comments, processing instructions and blanks, which may stand anywhere outside tags.
bool Scanner::Misc() {
    if (LooksAt("<!--")) {
        pos_ += 4;
        if (!SkipPast("--"))
            return false;
        return !AtEnd() && text_[pos_++] == '>';
    }
    if (LooksAt("<?")) {
        pos_ += 2;
        return Name() && SkipPast("?>");
    }
    return false;
}

bool Scanner::Doctype() {
    pos_ += 9;  // "<!DOCTYPE"
    int brackets = 0;
    while (!AtEnd()) {
        const char c = text_[pos_++];
        if (c == '[')
            ++brackets;
        else if (c == ']')
            --brackets;
        else if (c == '>' && brackets == 0)
            return true;
    }
    return false;
}

bool Scanner::Content(const std::string& name, int depth) {
    for (;;) {
        if (!Text() || AtEnd())
            return false;
        if (LooksAt("</")) {
            if (depth == 0)
                outline_.root_end_tag = pos_;
            pos_ += 2;
            const std::optional<std::string> closing = Name();
            SkipBlanks();
            if (!closing || *closing != name || AtEnd() || text_[pos_] != '>')
                return false;
            ++pos_;
            return true;
        }
        if (LooksAt("<![CDATA[")) {
            if (!SkipPast("]]>"))
                return false;
        } else if (LooksAt("<!--") || LooksAt("<?")) {
            if (!Misc())
                return false;
        } else if (!Element(depth + 1)) {
            return false;
        }
    }
}

bool Scanner::Element(int depth) {
    const std::size_t begin = pos_;
    ++pos_;  // "<"
    const std::optional<std::string> name = Name();
    bool empty = false;
    if (!name || !Attributes(empty))
        return false;
    if (!empty && !Content(*name, depth))
        return false;
    if (depth == 0)
        outline_.root = *name;
    else if (depth == 1)
        outline_.children.push_back({*name, XmlSpan{begin, pos_}});
    return true;
}

std::optional<XmlOutline> Scanner::Run() {
    if (LooksAt("\xEF\xBB\xBF"))
        pos_ += 3;  // a byte order mark
    bool root_seen = false;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            return root_seen ? std::optional<XmlOutline>(outline_) : std::nullopt;
        if (LooksAt("<!--") || LooksAt("<?")) {
            if (!Misc())
                return std::nullopt;
        } else if (!root_seen && LooksAt("<!DOCTYPE")) {
            if (!Doctype())
                return std::nullopt;
        } else if (!root_seen && LooksAt("<")) {
            if (!Element(0))
                return std::nullopt;
            root_seen = true;
        } else {
            return std::nullopt;
        }
    }
}

}  // namespace

std::optional<XmlOutline> OutlineXml(std::string_view text) {
    return Scanner(text).Run();
}

std::optional<std::string_view> ChildText(std::string_view element, std::string_view name) {
    const std::string open = "<" + std::string(name) + ">";
    const std::string close = "</" + std::string(name) + ">";
    const std::size_t start = element.find(open);
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = element.find(close, start + open.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    return element.substr(start + open.size(), end - start - open.size());
}

std::string EscapeXml(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace orvella
