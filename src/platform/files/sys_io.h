#pragma once

#include <sys/types.h>

#include <cstddef>

namespace orvella {

// The system calls through which every file of ours is written. Tests replace them to make
// the n-th write or rename fail and check that the earlier file survives.
struct SysIo {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};

const SysIo& CurrentSysIo();

// Installs `io` for the lifetime of this object, then puts the previous table back.
class ScopedSysIo {
public:
    explicit ScopedSysIo(const SysIo& io);
    ~ScopedSysIo();
    ScopedSysIo(const ScopedSysIo&) = delete;
    ScopedSysIo& operator=(const ScopedSysIo&) = delete;

private:
    SysIo previous_;
};

// The real calls, for tests that wrap them.
const SysIo& RealSysIo();

}  // namespace orvella
