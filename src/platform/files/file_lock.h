#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// An exclusive advisory lock (flock) on "<path>.lock", held for the object's lifetime.
// Writers of one file take it around read-modify-replace so no process loses another's
// write. Readers need none: the file is only ever replaced whole.
class FileLock {
public:
    static Result<FileLock> Acquire(const std::string& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace orvella
