#pragma once

#include <cerrno>

#include "platform/files/sys_io.h"

namespace orvella::testing {

// Makes the n-th write (counted from 1) or every rename fail, with a full disk's error.
class FailingIo {
public:
    static FailingIo FailWriteNumber(int n) { return FailingIo(n, false); }
    static FailingIo FailRenames() { return FailingIo(0, true); }
    int writes() const { return writes_; }

private:
    FailingIo(int n, bool renames) : io_(Make(n, renames)), scoped_(io_) {}

    static SysIo Make(int n, bool renames) {
        fail_at_ = n;
        writes_ = 0;
        SysIo io = RealSysIo();
        io.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
            // Small pieces so a long file takes many calls and can fail in the middle.
            if (++writes_ == fail_at_) {
                errno = ENOSPC;
                return -1;
            }
            return RealSysIo().write(fd, data, size > 4096 ? 4096 : size);
        };
        if (renames) {
            io.rename = [](const char*, const char*) {
                errno = EROFS;
                return -1;
            };
        }
        return io;
    }

    static inline int fail_at_ = 0;
    static inline int writes_ = 0;
    SysIo io_;
    ScopedSysIo scoped_;
};

}  // namespace orvella::testing
