#include "support/desktop_services.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "platform/system/process.h"

extern char** environ;

namespace orvella::testing {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The first line written to `fd`, waiting up to 15 s.
std::string FirstLine(int fd) {
    std::string line;
    pollfd watched{fd, POLLIN, 0};
    char c = 0;
    while (::poll(&watched, 1, 15000) > 0 && ::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

constexpr std::string_view kUserPrefix = "orvella-t";

// Users of ours left behind by a test run that was killed: the process of their number ended.
void RemoveStaleUsers() {
    std::vector<std::string> stale;
    ::setpwent();
    while (const passwd* entry = ::getpwent()) {
        const std::string_view name = entry->pw_name;
        if (name.starts_with(kUserPrefix) && name.size() > kUserPrefix.size() &&
            ::access(("/proc/" + std::string(name.substr(kUserPrefix.size()))).c_str(), F_OK) != 0)
            stale.emplace_back(name);
    }
    ::endpwent();
    for (const std::string& name : stale)
        RunProcess({"userdel", name});
}

}  // namespace

Service::Service(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 bool line_on_fd3) {
    int fds[2] = {-1, -1};
    if (line_on_fd3 && ::pipe(fds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (line_on_fd3)
        posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> arguments = argv;
    std::vector<std::string> entries = environment;
    const int spawned = ::posix_spawnp(&pid_, arguments.front().c_str(), &actions, nullptr,
                                       Pointers(arguments).data(), Pointers(entries).data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        pid_ = 0;
    if (!line_on_fd3)
        return;
    ::close(fds[1]);
    if (pid_ != 0)
        line_ = FirstLine(fds[0]);
    ::close(fds[0]);
}

Service::~Service() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool Service::Running() {
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == pid_)
        pid_ = 0;
    return pid_ > 0;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& set) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('=') + 1);
        bool replaced = false;
        for (const std::string& s : set)
            replaced = replaced || s.starts_with(name);
        if (!replaced)
            entries.push_back(text);
    }
    entries.insert(entries.end(), set.begin(), set.end());
    return entries;
}

ServiceUser::ServiceUser() : uid_(::getuid()), gid_(::getgid()) {
    if (uid_ != 0)
        return;
    RemoveStaleUsers();
    name_ = std::string(kUserPrefix) + std::to_string(::getpid());
    // useradd waits for no one: another test's useradd holding the lock makes it fail.
    for (int attempt = 0; attempt < 50 && !made_; ++attempt) {
        Result<ProcessOutput> added =
            RunProcess({"useradd", "--system", "--no-create-home", "--user-group", "--shell",
                        "/usr/sbin/nologin", name_});
        made_ = added && added->exit_code == 0;
        if (!made_)
            ::usleep(100'000);
    }
    const passwd* entry = made_ ? ::getpwnam(name_.c_str()) : nullptr;
    if (entry == nullptr) {
        error_ = "no user of our own could be made with useradd";
        return;
    }
    uid_ = entry->pw_uid;
    gid_ = entry->pw_gid;
}

ServiceUser::~ServiceUser() {
    for (int attempt = 0; attempt < 50 && made_; ++attempt) {
        Result<ProcessOutput> removed = RunProcess({"userdel", name_});
        made_ = !(removed && removed->exit_code == 0);
        if (made_)
            ::usleep(100'000);
    }
}

std::vector<std::string> ServiceUser::As(const std::vector<std::string>& argv) const {
    if (name_.empty())
        return argv;
    std::vector<std::string> wrapped = {"setpriv", "--reuid=" + std::to_string(uid_),
                                        "--regid=" + std::to_string(gid_), "--clear-groups", "--"};
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    return wrapped;
}

bool ServiceUser::Own(const std::string& path) const {
    return ::chown(path.c_str(), uid_, gid_) == 0;
}

SessionBus::SessionBus()
    : daemon_({"dbus-daemon", "--session", "--nofork", "--print-address=3"}, EnvironmentWith({}),
              true),
      address_("DBUS_SESSION_BUS_ADDRESS", daemon_.line()) {}

Screenshot ReadPpm(const std::string& bytes) {
    Screenshot shot;
    int width = 0;
    int height = 0;
    int depth = 0;
    int header = 0;
    if (std::sscanf(bytes.c_str(), "P6 %d %d %d%n", &width, &height, &depth, &header) != 3 ||
        depth != 255 || width <= 0 || height <= 0)
        return shot;
    const std::size_t start = static_cast<std::size_t>(header) + 1;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (bytes.size() < start + count * 3)
        return shot;
    shot.rgb.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = [&](std::size_t k) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[start + i * 3 + k]));
        };
        shot.rgb.push_back((byte(0) << 16) | (byte(1) << 8) | byte(2));
    }
    shot.width = width;
    shot.height = height;
    return shot;
}

}  // namespace orvella::testing
