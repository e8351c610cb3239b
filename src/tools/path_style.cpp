#include "tools/path_style.h"

namespace orvella {

PathStyle StyleOf(std::string_view path) {
    if (!path.empty() && path.front() == '/') {
        return PathStyle::Posix;
    }
    if (path.size() >= 2 && path[1] == ':') {
        return PathStyle::Windows;
    }
    if (path.find('\\') != std::string_view::npos) {
        return PathStyle::Windows;
    }
    return path.find('/') != std::string_view::npos ? PathStyle::Posix : PathStyle::Windows;
}

char SeparatorOf(PathStyle style) {
    return style == PathStyle::Posix ? '/' : '\\';
}

std::size_t FolderPartLength(std::string_view path) {
    const std::size_t last = path.rfind(SeparatorOf(StyleOf(path)));
    return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace orvella
