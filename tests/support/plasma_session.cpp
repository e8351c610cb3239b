#include "support/plasma_session.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/files/files.h"
#include "platform/system/process.h"

namespace orvella::testing {
namespace {

// The processes whose environment names `address` as their session bus.
std::vector<pid_t> ProcessesOnBus(const std::string& address) {
    std::vector<pid_t> found;
    const std::string entry = "DBUS_SESSION_BUS_ADDRESS=" + address;
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = process.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        Result<std::optional<std::string>> environment =
            ReadWholeFile(process.path().string() + "/environ");
        if (environment && environment->has_value() &&
            (*environment)->find(entry) != std::string::npos)
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

}  // namespace

PlasmaSession::PlasmaSession() {
    if (!RunProcess({"plasmashell", "--version"}).ok()) {
        error_ =
            "plasmashell is not installed: Debian's plasma-workspace and plasma-desktop "
            "(without recommends) take minutes to install, more than CI spares for them, so "
            "scripts/install-deps.sh leaves them out (KdeScriptTest runs the script in duk)";
        return;
    }
    if (!user_.error().empty()) {
        error_ = user_.error();
        return;
    }
    if (xvfb_.display().empty()) {
        error_ = "Xvfb did not start";
        return;
    }
    Start();
}

void PlasmaSession::Start() {
    const std::string home = Folder();
    const std::string runtime = dir_.File("run");
    if (!EnsureDirectory(home) || ::mkdir(runtime.c_str(), 0700) != 0 || !user_.Own(dir_.path()) ||
        !user_.Own(home) || !user_.Own(runtime)) {
        error_ = "the shell's folders could not be made";
        return;
    }
    address_ = "unix:path=" + dir_.File("bus");
    const std::vector<std::string> environment =
        EnvironmentWith({"DISPLAY=" + display(), "HOME=" + home, "XDG_RUNTIME_DIR=" + runtime,
                         "XDG_CONFIG_HOME=" + home + ".config", "XDG_CACHE_HOME=" + home + ".cache",
                         "XDG_DATA_HOME=" + home + ".local/share", "QT_QPA_PLATFORM=xcb",
                         "DBUS_SESSION_BUS_ADDRESS=" + address_});
    bus_.emplace(user_.As({"dbus-daemon", "--session", "--nofork", "--address=" + address_,
                           "--print-address=3"}),
                 environment, true);
    if (bus_->line().empty()) {
        error_ = "the shell's session bus did not start";
        return;
    }
    shell_.emplace(user_.As({"plasmashell"}), environment, false);
    for (int attempt = 0; attempt < 300 && shell_->Running(); ++attempt) {
        if (Evaluate("print(desktops().length)") == "1")
            return;
        ::usleep(100'000);
    }
    error_ = "plasmashell did not load its desktop within 30 s";
}

PlasmaSession::~PlasmaSession() {
    shell_.reset();
    bus_.reset();
    if (!address_.empty())
        EndWhatTheBusStarted();
}

void PlasmaSession::EndWhatTheBusStarted() const {
    // The services the shell had started (kded, kglobalaccel, ...) outlive their bus.
    for (const pid_t pid : ProcessesOnBus(address_))
        ::kill(pid, SIGTERM);
    for (int attempt = 0; attempt < 50 && !ProcessesOnBus(address_).empty(); ++attempt)
        ::usleep(100'000);
    for (const pid_t pid : ProcessesOnBus(address_))
        ::kill(pid, SIGKILL);
}

std::vector<std::string> PlasmaSession::DbusSend() const {
    return user_.As({"env", "DBUS_SESSION_BUS_ADDRESS=" + address_, "dbus-send"});
}

std::string PlasmaSession::Evaluate(const std::string& script) const {
    Result<std::string> printed = RunChecked(CommandLine(
        DbusSend(),
        {"--session", "--print-reply=literal", "--dest=org.kde.plasmashell", "--type=method_call",
         "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", "string:" + script}));
    if (!printed)
        return printed.message();
    std::string text = *printed;
    text.erase(0, text.find_first_not_of(' '));
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

}  // namespace orvella::testing
