#include "platform/desktop/backends/sway_backend.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <optional>

#include "platform/files/files.h"
#include "platform/system/clock.h"
#include "platform/system/process.h"

namespace orvella {
namespace {

// The kernel keeps at most 15 characters of a program's name.
std::string ProcessNameOf(const std::string& program) {
    const std::size_t slash = program.find_last_of('/');
    std::string name = slash == std::string::npos ? program : program.substr(slash + 1);
    return name.substr(0, 15);
}

// Whether `pid` still runs a program called `name`, so a number taken over by another
// process since our swaybg ended is never signalled.
bool RunsProgram(pid_t pid, const std::string& name) {
    Result<std::optional<std::string>> comm =
        ReadWholeFile("/proc/" + std::to_string(pid) + "/comm");
    if (!comm || !comm->has_value())
        return false;
    std::string text = **comm;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text == name;
}

// Collects the ended process when it is our own child (started by this run); one started
// by an earlier run belongs to init, and waitpid says so at once.
void Reap(pid_t pid) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const pid_t done = ::waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return;
        const timespec pause{0, 10'000'000};
        ::nanosleep(&pause, nullptr);
    }
}

}  // namespace

std::string SwayWallpaperBackend::Mode(WallpaperStyle style) {
    // swaybg's mode names are the ones the recording backend writes.
    return std::string(StyleName(style));
}

void SwayWallpaperBackend::EndEarlier(const std::string& pid_text) const {
    std::string_view text = pid_text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    const std::optional<std::int64_t> number = ParseUnixSeconds(text);
    if (!number || *number <= 1)
        return;
    const auto pid = static_cast<pid_t>(*number);
    if (!RunsProgram(pid, ProcessNameOf(program_)))
        return;
    ::kill(pid, SIGTERM);
    Reap(pid);
}

Status SwayWallpaperBackend::Show(const WallpaperChange& change) {
    Result<std::optional<std::string>> earlier = ReadWholeFile(pid_file_);
    Result<pid_t> started =
        StartDetached({program_, "-o", "*", "-i", change.picture, "-m", Mode(change.style), "-c",
                       HashColour(change.background)});
    if (!started)
        return started.status();
    if (Status kept = ReplaceFileAtomically(pid_file_, std::to_string(*started) + "\n"); !kept)
        return kept;
    if (earlier && earlier->has_value())
        EndEarlier(**earlier);
    return Status::Ok();
}

}  // namespace orvella
