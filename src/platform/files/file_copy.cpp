#include "platform/files/file_copy.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/files/files.h"

namespace orvella {

Status CopyFileReplacing(const std::string& source, const std::string& target) {
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0)
        return Status::Error(source + ": " + SystemErrorText(errno));
    if (!S_ISREG(info.st_mode))
        return Status::Error(source + ": " + SystemErrorText(EISDIR));
    Result<std::optional<std::string>> content = ReadWholeFile(source);
    if (!content)
        return content.status();
    if (!content->has_value())
        return Status::Error(source + ": " + SystemErrorText(ENOENT));
    if (Status written = ReplaceFileAtomically(target, **content); !written)
        return written;
    if (::chmod(target.c_str(), info.st_mode & 0777) != 0)
        return Status::Error(target + ": " + SystemErrorText(errno));
    return Status::Ok();
}

Status CopyFileToOther(const std::string& source, const std::string& target) {
    struct stat from {};
    struct stat to {};
    if (::stat(source.c_str(), &from) == 0 && ::stat(target.c_str(), &to) == 0 &&
        from.st_dev == to.st_dev && from.st_ino == to.st_ino) {
        return Status::Error(target + ": the same file as " + source);
    }
    return CopyFileReplacing(source, target);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

Status MakeFileNormal(const std::string& path) {
    if (::chmod(path.c_str(), 0644) != 0)
        return Status::Error(path + ": " + SystemErrorText(errno));
    return Status::Ok();
}

}  // namespace orvella
