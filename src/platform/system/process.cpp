#include "platform/system/process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <thread>

#include "platform/files/files.h"

extern char** environ;

namespace orvella {
namespace {

// Both ends of a pipe, closed with the owner.
class Pipe {
public:
    Pipe() = default;
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    bool Open() { return ::pipe2(fds_, O_CLOEXEC) == 0; }
    int read_end() const { return fds_[0]; }
    int write_end() const { return fds_[1]; }
    void CloseRead() { Close(fds_[0]); }
    void CloseWrite() { Close(fds_[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int fds_[2] = {-1, -1};
};

// posix_spawn's attribute and file-action objects, destroyed with the owner.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};

std::vector<char*> ArgumentPointers(const std::vector<std::string>& argv) {
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

Result<pid_t> Spawn(const std::vector<std::string>& argv, SpawnSetup& setup) {
    if (argv.empty())
        return Status::Error("no program to start");
    std::vector<char*> pointers = ArgumentPointers(argv);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv[0].c_str(), &setup.actions, &setup.attributes,
                                     pointers.data(), environ);
    if (error != 0)
        return Status::Error(argv[0] + ": " + SystemErrorText(error));
    return pid;
}

int ExitCodeOf(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return ExitCodeOf(status);
}

// The exit code once the program has ended; nullopt while it runs.
std::optional<int> ExitCodeIfEnded(pid_t pid) {
    int status = 0;
    pid_t ended = 0;
    do {
        ended = ::waitpid(pid, &status, WNOHANG);
    } while (ended < 0 && errno == EINTR);
    if (ended == 0)
        return std::nullopt;
    return ended < 0 ? -1 : ExitCodeOf(status);
}

// Appends what a non-blocking pipe holds now; false once it is at its end.
bool ReadAvailable(int fd, std::string& target) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            target.append(buffer, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        }
    }
}

// Starts `argv` with its input on /dev/null and its outputs into the two pipes, whose
// write ends are closed here.
Result<pid_t> SpawnCollecting(const std::vector<std::string>& argv, Pipe& out_pipe,
                              Pipe& err_pipe) {
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, out_pipe.write_end(), 1);
    posix_spawn_file_actions_adddup2(&setup.actions, err_pipe.write_end(), 2);
    Result<pid_t> pid = Spawn(argv, setup);
    out_pipe.CloseWrite();
    err_pipe.CloseWrite();
    return pid;
}

// Reads both pipes until the program closes them, so neither can fill up and block it.
void DrainOutputs(Pipe& out_pipe, Pipe& err_pipe, ProcessOutput& output) {
    pollfd watched[2] = {{out_pipe.read_end(), POLLIN, 0}, {err_pipe.read_end(), POLLIN, 0}};
    std::string* targets[2] = {&output.out, &output.err};
    int open_count = 2;
    char buffer[4096];
    while (open_count > 0) {
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (int i = 0; i < 2; ++i) {
            if (watched[i].fd < 0 || watched[i].revents == 0)
                continue;
            const ssize_t n = ::read(watched[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                targets[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                watched[i].fd = -1;
                --open_count;
            }
        }
    }
}

std::string_view FirstLine(std::string_view text) {
    while (!text.empty() && (text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

Result<ProcessOutput> RunProcess(const std::vector<std::string>& argv) {
    Pipe out_pipe;
    Pipe err_pipe;
    if (!out_pipe.Open() || !err_pipe.Open())
        return Status::Error("pipe: " + SystemErrorText(errno));
    Result<pid_t> pid = SpawnCollecting(argv, out_pipe, err_pipe);
    if (!pid)
        return pid.status();

    ProcessOutput output;
    DrainOutputs(out_pipe, err_pipe, output);
    output.exit_code = WaitForExit(*pid);
    return output;
}

Result<BriefRun> RunBriefly(const std::vector<std::string>& argv, std::chrono::milliseconds wait) {
    Pipe out_pipe;
    Pipe err_pipe;
    if (!out_pipe.Open() || !err_pipe.Open())
        return Status::Error("pipe: " + SystemErrorText(errno));
    for (int fd : {out_pipe.read_end(), err_pipe.read_end()})
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    Result<pid_t> pid = SpawnCollecting(argv, out_pipe, err_pipe);
    if (!pid)
        return pid.status();

    ProcessOutput collected;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    pollfd watched[2] = {{out_pipe.read_end(), POLLIN, 0}, {err_pipe.read_end(), POLLIN, 0}};
    std::string* targets[2] = {&collected.out, &collected.err};
    for (;;) {
        // Whether it ended first, then its outputs: what it wrote before it ended is read.
        const std::optional<int> ended = ExitCodeIfEnded(*pid);
        for (int i = 0; i < 2; ++i) {
            if (watched[i].fd >= 0 && !ReadAvailable(watched[i].fd, *targets[i]))
                watched[i].fd = -1;  // poll passes over negative descriptors
        }
        if (ended) {
            collected.exit_code = *ended;
            return BriefRun{*pid, std::move(collected)};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            std::thread([reaped = *pid] { WaitForExit(reaped); }).detach();
            return BriefRun{*pid, std::nullopt};
        }
        ::poll(watched, 2, 10);
    }
}

std::string DescribeFailure(const std::string& program, const ProcessOutput& output) {
    std::string_view line = FirstLine(output.err);
    if (line.empty())
        line = FirstLine(output.out);
    if (line.empty())
        return program + " ended with exit code " + std::to_string(output.exit_code);
    return program + ": " + std::string(line);
}

Result<std::string> RunChecked(const std::vector<std::string>& argv) {
    Result<ProcessOutput> output = RunProcess(argv);
    if (!output)
        return output.status();
    if (output->exit_code != 0)
        return Status::Error(DescribeFailure(argv[0], *output));
    return std::move(output->out);
}

std::vector<std::string> CommandLine(const std::vector<std::string>& command,
                                     std::initializer_list<std::string> arguments) {
    std::vector<std::string> argv = command;
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

Result<pid_t> StartDetached(const std::vector<std::string>& argv) {
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, 2, "/dev/null", O_WRONLY, 0);
    // A session of its own, so the terminal's hang-up at our end does not take it along.
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSID);
    return Spawn(argv, setup);
}

}  // namespace orvella
