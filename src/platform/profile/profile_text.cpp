#include "platform/profile/profile_text.h"

#include "platform/files/files.h"
#include "platform/text.h"

namespace orvella {
namespace {

std::string DecodePart(std::string_view part) {
    if (IsValidUtf8(part))
        return std::string(part);
    const std::string_view name = TrimBlanks(part);
    if (!name.empty() && FileExists(std::string(name)))
        return std::string(part);
    return Windows1252ToUtf8(part);
}

std::string DecodeLine(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    const std::size_t equals = line.find('=');
    if (trimmed.empty() || trimmed.front() == '[' || trimmed.front() == ';' ||
        equals == std::string_view::npos) {
        return DecodePart(line);
    }
    return DecodePart(line.substr(0, equals)) + "=" + DecodePart(line.substr(equals + 1));
}

}  // namespace

std::string DecodeProfileText(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return DecodeSystemText(bytes);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end;
        std::size_t content_end = end;
        if (content_end > start && bytes[content_end - 1] == '\r')
            --content_end;
        text += DecodeLine(bytes.substr(start, content_end - start));
        text += bytes.substr(content_end, end - content_end + (end < bytes.size() ? 1 : 0));
        start = end + 1;
    }
    return text;
}

}  // namespace orvella
