#pragma once

#include <unistd.h>

#include <cerrno>
#include <functional>
#include <set>
#include <string>

#include "platform/files/sys_io.h"
#include "platform/status.h"

namespace orvella::testing {

// Makes one system call of a save fail: the n-th write (counted from 1), every rename, or
// the n-th call of any kind (open, write, fsync, close, rename), with a full disk's error.
// Writes go in small pieces, so a long file takes many calls and can fail in the middle.
class FailingIo {
public:
    static FailingIo FailWriteNumber(int n) { return FailingIo(n, Mode::kWrites); }
    static FailingIo FailRenames() { return FailingIo(0, Mode::kRenames); }
    static FailingIo FailCallNumber(int n) { return FailingIo(n, Mode::kAnyCall); }
    int writes() const { return writes_; }
    // The calls made so far, and the name of the one that failed ("" while none did).
    int calls() const { return calls_; }
    const std::string& failed() const { return failed_; }
    // Every call's name in order, each followed by a blank.
    const std::string& trace() const { return trace_; }

private:
    enum class Mode { kWrites, kRenames, kAnyCall };
    FailingIo(int n, Mode mode) : io_(Make(n, mode)), scoped_(io_) {}

    // True when this call, of kind `name`, is the one to fail.
    static bool Fails(const char* name, bool is_write) {
        ++calls_;
        trace_.append(name).append(" ");
        const bool fails = mode_ == Mode::kAnyCall              ? calls_ == fail_at_
                           : mode_ == Mode::kWrites && is_write ? ++writes_ == fail_at_
                           : mode_ == Mode::kRenames && !is_write
                               ? std::string(name).starts_with("rename")
                               : false;
        if (fails) {
            failed_ = name;
            errno = ENOSPC;
        }
        return fails;
    }

    static SysIo Make(int n, Mode mode) {
        fail_at_ = n;
        mode_ = mode;
        writes_ = calls_ = 0;
        failed_.clear();
        trace_.clear();
        SysIo io = RealSysIo();
        io.open = [](const char* path, int flags, mode_t m) {
            return Fails("open", false) ? -1 : RealSysIo().open(path, flags, m);
        };
        io.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
            if (Fails("write", true))
                return -1;
            return RealSysIo().write(fd, data, size > 4096 ? 4096 : size);
        };
        io.fsync = [](int fd) { return Fails("fsync", false) ? -1 : RealSysIo().fsync(fd); };
        io.close = [](int fd) {
            if (Fails("close", false)) {
                RealSysIo().close(fd);  // a failed close still releases the descriptor
                errno = ENOSPC;
                return -1;
            }
            return RealSysIo().close(fd);
        };
        io.rename = [](const char* from, const char* to) {
            return Fails("rename", false) ? -1 : RealSysIo().rename(from, to);
        };
        io.exchange = [](const char* first, const char* second) {
            return Fails("rename (swap)", false) ? -1 : RealSysIo().exchange(first, second);
        };
        return io;
    }

    static inline int fail_at_ = 0;
    static inline Mode mode_ = Mode::kWrites;
    static inline int writes_ = 0;
    static inline int calls_ = 0;
    static inline std::string failed_;
    static inline std::string trace_;
    SysIo io_;
    ScopedSysIo scoped_;
};

struct FailurePositions {
    int tried = 0;                // runs with one call failing
    std::set<std::string> calls;  // the kinds of call that failed
    Status completed;             // the run past the last call, which failed none
};

// Runs `save` with its first call failing, then its second, and so on, passing each failed
// run's status and the failed call to `check`, until a run makes no call that can fail.
inline FailurePositions FailEachCallInTurn(
    const std::function<Status()>& save,
    const std::function<void(const Status&, const std::string&)>& check) {
    FailurePositions positions;
    for (int n = 1;; ++n) {
        FailingIo failing = FailingIo::FailCallNumber(n);
        Status status = save();
        if (failing.failed().empty()) {
            positions.completed = std::move(status);
            return positions;
        }
        ++positions.tried;
        positions.calls.insert(failing.failed());
        check(status, failing.failed());
    }
}

}  // namespace orvella::testing
