#include "platform/files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/files/files.h"

namespace orvella {

Result<FileLock> FileLock::Acquire(const std::string& path) {
    const std::string lock_path = path + ".lock";
    const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::Error(path + ": " + SystemErrorText(errno));
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        const int error_number = errno;
        ::close(fd);
        return Status::Error(path + ": " + SystemErrorText(error_number));
    }
    return FileLock(fd);
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);  // closing releases the lock
}

}  // namespace orvella
