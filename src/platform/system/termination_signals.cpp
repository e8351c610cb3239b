#include "platform/system/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/files/files.h"

namespace orvella {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int g_write_fd = -1;

// Only async-signal-safe calls here: one byte into the pipe.
extern "C" void OnTerminationSignal(int signal_number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal_number);
    [[maybe_unused]] const ssize_t written = ::write(g_write_fd, &byte, 1);
    errno = saved;
}

}  // namespace

Result<std::unique_ptr<TerminationSignals>> TerminationSignals::Install() {
    if (g_write_fd != -1)
        return Status::Error("termination signals are already being watched");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return Status::Error(SystemErrorText(errno));
    g_write_fd = fds[1];
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : kSignals)
        ::sigaction(signal_number, &action, nullptr);
    return std::unique_ptr<TerminationSignals>(new TerminationSignals(fds[0], fds[1]));
}

TerminationSignals::~TerminationSignals() {
    for (int signal_number : kSignals)
        ::signal(signal_number, SIG_DFL);
    g_write_fd = -1;
    ::close(read_fd_);
    ::close(write_fd_);
}

int TerminationSignals::Take() {
    unsigned char byte = 0;
    return ::read(read_fd_, &byte, 1) == 1 ? byte : 0;
}

}  // namespace orvella
