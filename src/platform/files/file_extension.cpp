#include "platform/files/file_extension.h"

#include "platform/text.h"

namespace orvella {

std::string_view ExtensionOf(std::string_view path) {
    const std::size_t name_start = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (name_start != std::string_view::npos && dot < name_start))
        return {};
    return path.substr(dot);
}

std::string LoweredExtension(std::string_view path) {
    return FoldCase(ExtensionOf(path));
}

bool IsPagePath(std::string_view path) {
    const std::string extension = LoweredExtension(path);
    return extension == ".htm" || extension == ".html";
}

}  // namespace orvella
