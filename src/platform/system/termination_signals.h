#pragma once

#include <memory>

#include "platform/status.h"

namespace orvella {

// Turns SIGTERM, SIGINT and SIGHUP (a log-out, Ctrl+C, a closed terminal) into a readable
// descriptor, so the program can end as a normal close does, saving its files, instead of
// being killed mid-way. One instance per process.
class TerminationSignals {
public:
    static Result<std::unique_ptr<TerminationSignals>> Install();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // Readable once a signal has arrived.
    int fd() const { return read_fd_; }
    // The signal that arrived, or 0 when none is pending; takes it off the descriptor.
    int Take();

private:
    TerminationSignals(int read_fd, int write_fd) : read_fd_(read_fd), write_fd_(write_fd) {}
    int read_fd_;
    int write_fd_;
};

}  // namespace orvella
