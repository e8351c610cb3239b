#include "platform/files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

#include "platform/files/sys_io.h"

namespace orvella {
namespace {

std::string TemporaryNameBeside(const std::string& path) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::ostringstream name;
    name << path << ".tmp-" << ::getpid() << '-' << std::hex << generator();
    return name.str();
}

constexpr off_t kEarlyWriteback = off_t{1} << 20;

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// Horspool's search for an ASCII word without regard to case: most steps look at one byte
// and skip the word's length, so a large file is searched at about the speed it is read.
class CaselessSearch {
public:
    explicit CaselessSearch(std::string_view word) : word_(word) {
        shift_.fill(word_.size());
        for (std::size_t k = 0; k + 1 < word_.size(); ++k) {
            const std::size_t skip = word_.size() - 1 - k;
            shift_[static_cast<unsigned char>(LowerAscii(word_[k]))] = skip;
            shift_[static_cast<unsigned char>(UpperAscii(word_[k]))] = skip;
        }
    }
    bool In(std::string_view text) const {
        const std::size_t m = word_.size();
        for (std::size_t i = 0; i + m <= text.size();
             i += shift_[static_cast<unsigned char>(text[i + m - 1])]) {
            std::size_t k = m;
            while (k > 0 && LowerAscii(text[i + k - 1]) == LowerAscii(word_[k - 1]))
                --k;
            if (k == 0)
                return true;
        }
        return false;
    }

private:
    static char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
    std::string_view word_;
    std::array<std::size_t, 256> shift_{};
};

Status WriteError(const std::string& path, int error_number) {
    return Status::Error(path + ": " + SystemErrorText(error_number));
}

// The file a path finally names: links are followed (a relative target from the link's
// folder), so a save replaces the target and the user's link stays.
std::string FollowLinks(std::string path) {
    constexpr int kMaxHops = 40;  // the kernel's own limit; a loop of links ends here
    for (int hop = 0; hop < kMaxHops; ++hop) {
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
            break;  // not a link, or nothing there yet
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : ParentFolder(path) + target;
    }
    return path;
}

// 0, or the errno of the call that failed.
int WriteAll(const SysIo& io, int fd, std::string_view content) {
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = io.write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

// A rename reaches the disk only with its folder: without this sync a power loss can bring
// back the earlier file although the save said it succeeded.
int SyncFolder(const SysIo& io, const std::string& folder) {
    const int fd =
        io.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    const int synced = io.fsync(fd) == 0 ? 0 : errno;
    const int closed = io.close(fd) == 0 ? 0 : errno;
    return synced != 0 ? synced : closed;
}

// Puts the written temporary file in the place of `target`, durably. An earlier file is
// swapped to the temporary name rather than overwritten, so when the folder's sync fails it
// can be put back and a failed save leaves the earlier file. Only a regular file is swapped
// (a folder in the way fails the rename); file systems without the swap get a plain rename
// and keep the new file when only the sync fails.
int PutInPlace(const SysIo& io, const std::string& temporary, const std::string& target) {
    struct stat existing {};
    const bool earlier = ::lstat(target.c_str(), &existing) == 0;
    bool swapped = false;
    if (earlier && S_ISREG(existing.st_mode)) {
        swapped = io.exchange(temporary.c_str(), target.c_str()) == 0;
        if (!swapped && errno != ENOENT && errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            return errno;
    }
    if (!swapped && io.rename(temporary.c_str(), target.c_str()) != 0)
        return errno;
    const int error = SyncFolder(io, ParentFolder(target));
    if (error == 0)
        return 0;
    if (swapped) {
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
    } else if (!earlier) {
        ::rename(target.c_str(), temporary.c_str());  // there was no file before this save
    }
    return error;
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
    return ReplaceFileAtomically(path, [&](const std::function<void(std::string_view)>& write) {
        write(content);
        return Status::Ok();
    });
}

Status ReplaceFileAtomically(const std::string& path, const ContentProducer& produce) {
    const SysIo& io = CurrentSysIo();
    // A link (into a synced folder, say) stays a link: its target is what we replace.
    const std::string target = FollowLinks(path);
    const std::string temporary = TemporaryNameBeside(target);
    const int fd = io.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return WriteError(path, errno);
    // Keep the mode of the file we replace, so a hand-made permission survives our writes.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        ::fchmod(fd, existing.st_mode & 07777);

    int error = 0;
    off_t written = 0;
    off_t flushing = 0;
    const Status produced = produce([&](std::string_view piece) {
        if (error != 0)
            return;
        error = WriteAll(io, fd, piece);
        written += static_cast<off_t>(piece.size());
        // The disk starts on what is written while the rest is made, so the fsync below
        // waits for little more than the last stretch. Advice only: a failure changes nothing.
        if (written - flushing >= kEarlyWriteback) {
            (void)::sync_file_range(fd, flushing, written - flushing, SYNC_FILE_RANGE_WRITE);
            flushing = written;
        }
    });
    if (produced && error == 0 && io.fsync(fd) != 0)
        error = errno;
    if (io.close(fd) != 0 && error == 0)
        error = errno;
    if (produced && error == 0)
        error = PutInPlace(io, temporary, target);
    // Now the failed file, or after a swap the earlier one; after a plain rename, nothing.
    ::unlink(temporary.c_str());
    if (!produced)
        return produced;
    return error == 0 ? Status::Ok() : WriteError(path, error);
}

Result<bool> FileMentions(const std::string& path, std::string_view word) {
    if (word.empty())
        return true;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        return Status::Error(path + ": " + SystemErrorText(errno));
    }
    const CaselessSearch search(word);
    // Each piece starts with the end of the one before, so a word across the seam is found.
    constexpr std::size_t kPiece = 65536;
    std::vector<char> buffer(word.size() + kPiece);
    std::size_t kept = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data() + kept, kPiece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 ||
            search.In(std::string_view(buffer.data(), kept + static_cast<std::size_t>(n)))) {
            const int error_number = n < 0 ? errno : 0;
            ::close(fd);
            if (n < 0)
                return Status::Error(path + ": " + SystemErrorText(error_number));
            return n > 0;
        }
        const std::size_t filled = kept + static_cast<std::size_t>(n);
        kept = std::min(word.size() - 1, filled);
        std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(filled - kept),
                  buffer.begin() + static_cast<std::ptrdiff_t>(filled), buffer.begin());
    }
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
