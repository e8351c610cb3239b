// Starts Orvella again once the instance that asked for it has ended, after a change of the
// interface language:
//   orvella-restart PROGRAM-FILE
// The instance starts this program as its child and then closes. We wait while our parent
// still runs PROGRAM-FILE, for at most kWaitBound (ORVELLA_RESTART_WAIT_MS overrides it), and
// then start PROGRAM-FILE detached, with no arguments. When the parent outlives the bound,
// nothing is started: two copies side by side would each rewrite the other's data files.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "platform/profile/profile_document.h"
#include "platform/system/environment.h"
#include "platform/system/process.h"

namespace {

using std::chrono::milliseconds;

// An instance closes in well under a second; a large library is saved in a few.
constexpr milliseconds kWaitBound{30'000};
constexpr milliseconds kPollInterval{20};

int Fail(const std::string& message) {
    std::fprintf(stderr, "orvella-restart: %s\n", message.c_str());
    return 1;
}

std::string Resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
}

// False also when the parent has gone already and we were handed to another process.
bool RunsProgram(pid_t process, const std::string& resolved_program) {
    std::error_code error;
    const std::filesystem::path running =
        std::filesystem::read_symlink("/proc/" + std::to_string(process) + "/exe", error);
    return !error && running == resolved_program;
}

milliseconds WaitBound() {
    const orvella::ProcessEnvironment environment;
    const std::optional<std::string> text = environment.Get("ORVELLA_RESTART_WAIT_MS");
    const std::optional<std::int32_t> value =
        text ? orvella::ParseProfileInteger(*text) : std::nullopt;
    return value && *value >= 0 ? milliseconds(*value) : kWaitBound;
}

// True once the parent that runs the program has ended; false when the bound ran out first.
bool WaitForParentToEnd(const std::string& program) {
    const pid_t parent = ::getppid();
    if (!RunsProgram(parent, Resolved(program)))
        return true;
    const auto deadline = std::chrono::steady_clock::now() + WaitBound();
    while (::getppid() == parent) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return Fail("usage: orvella-restart PROGRAM-FILE");
    const std::string program = argv[1];
    if (!WaitForParentToEnd(program))
        return Fail(program + " is still running; not starting a second copy");
    const orvella::Result<pid_t> started = orvella::StartDetached({program});
    if (!started)
        return Fail(started.message());
    return 0;
}
