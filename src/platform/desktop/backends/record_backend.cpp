#include "platform/desktop/backends/record_backend.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/desktop/backends/json_text.h"
#include "platform/files/files.h"

namespace orvella {

std::string RecordWallpaperBackend::Line(const WallpaperChange& change) {
    return "{\"route\":" + QuoteJson(RouteName(change.route)) +
           ",\"file\":" + QuoteJson(change.file) +
           ",\"style\":" + QuoteJson(StyleName(change.style)) +
           ",\"image\":" + QuoteJson(change.picture) + "}\n";
}

Status RecordWallpaperBackend::Show(const WallpaperChange& change) {
    const std::string line = Line(change);
    // One write of a whole line with O_APPEND, so lines of several processes never mix.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::Error(path_ + ": " + SystemErrorText(errno));
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int write_error = errno;
    ::close(fd);
    if (written != static_cast<ssize_t>(line.size()))
        return Status::Error(path_ + ": " + SystemErrorText(written < 0 ? write_error : ENOSPC));
    return Status::Ok();
}

}  // namespace orvella
