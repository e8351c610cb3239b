#include "library/picture_key_codec.h"

namespace orvella {

bool FitsPictureKey(std::string_view path) {
    if (path.empty())
        return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(path.front()) || blank(path.back()))
        return false;
    if (path.front() == ';' || path.front() == '[')
        return false;
    return path.find_first_of("=\r\n") == std::string_view::npos;
}

std::string EscapePictureValue(std::string_view path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '%') {
            out += "%25";
        } else if (c == '\r') {
            out += "%0D";
        } else if (c == '\n') {
            out += "%0A";
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');  // the profile reader strips this pair, keeping the blanks inside
    return out;
}

std::string UnescapePictureValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string_view rest = value.substr(i, 3);
        if (rest == "%25") {
            out.push_back('%');
        } else if (rest == "%0D") {
            out.push_back('\r');
        } else if (rest == "%0A") {
            out.push_back('\n');
        } else {
            out.push_back(value[i]);
            continue;
        }
        i += 2;
    }
    return out;
}

}  // namespace orvella
