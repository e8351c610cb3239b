#include "platform/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <sstream>

#include "platform/files/sys_io.h"

namespace orvella {
namespace {

std::string TemporaryNameBeside(const std::string& path) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::ostringstream name;
    name << path << ".tmp-" << ::getpid() << '-' << std::hex << generator();
    return name.str();
}

Status WriteError(const std::string& path, int error_number) {
    return Status::Error(path + ": " + SystemErrorText(error_number));
}

}  // namespace

std::string SystemErrorText(int error_number) {
    return std::strerror(error_number);
}

Result<std::optional<std::string>> ReadWholeFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::optional<std::string>();
        return Status::Error(path + ": " + SystemErrorText(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Status::Error(path + ": " + SystemErrorText(EISDIR));
    }
    std::string content;
    content.reserve(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error_number = errno;
            ::close(fd);
            return Status::Error(path + ": " + SystemErrorText(error_number));
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return std::optional<std::string>(std::move(content));
}

Status ReplaceFileAtomically(const std::string& path, std::string_view content) {
    const SysIo& io = CurrentSysIo();
    const std::string temporary = TemporaryNameBeside(path);
    const int fd = io.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return WriteError(path, errno);

    const auto fail = [&](int error_number) {
        io.close(fd);
        ::unlink(temporary.c_str());
        return WriteError(path, error_number);
    };
    // Keep the mode of the file we replace, so a hand-made permission survives our writes.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);

    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = io.write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(ENOSPC);
        written += static_cast<std::size_t>(n);
    }
    if (io.fsync(fd) != 0)
        return fail(errno);
    if (io.close(fd) != 0) {
        const int error_number = errno;
        ::unlink(temporary.c_str());
        return WriteError(path, error_number);
    }
    if (io.rename(temporary.c_str(), path.c_str()) != 0) {
        const int error_number = errno;
        ::unlink(temporary.c_str());
        return WriteError(path, error_number);
    }
    return Status::Ok();
}

Status EnsureDirectory(const std::string& path) {
    if (path.empty() || DirectoryExists(path))
        return Status::Ok();
    std::string partial;
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = path.find('/', position + 1);
        partial = path.substr(0, position);
        if (partial.empty() || DirectoryExists(partial))
            continue;
        if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
            return Status::Error(partial + ": " + SystemErrorText(errno));
        }
    }
    return Status::Ok();
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentFolder(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(path.substr(0, slash + 1));
}

}  // namespace orvella
