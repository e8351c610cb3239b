#include "platform/desktop/backends/sway_backend.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <tuple>

#include "platform/desktop/backends/json_value.h"
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

// The swaybg arguments after the program: one group per output with its own picture, or
// one for all of them.
std::vector<std::string> OutputGroups(const WallpaperChange& change,
                                      const std::vector<DesktopMonitor>& outputs,
                                      const std::string& mode) {
    const std::string colour = HashColour(change.background);
    if (change.monitor_pictures.empty() || outputs.empty())
        return {"-o", "*", "-i", change.picture, "-m", mode, "-c", colour};
    const std::vector<std::string> pictures = PicturesOfMonitors(change, outputs);
    std::vector<std::string> groups;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (const std::string& argument :
             {std::string("-o"), outputs[i].name, std::string("-i"), pictures[i], std::string("-m"),
              mode, std::string("-c"), colour})
            groups.push_back(argument);
    }
    return groups;
}

DesktopMonitor OutputOf(const JsonValue& output) {
    DesktopMonitor monitor;
    if (const JsonValue* name = output.Member("name"))
        monitor.name = name->text;
    const JsonValue* focused = output.Member("focused");
    monitor.area.primary = focused != nullptr && focused->boolean;
    if (const JsonValue* rect = output.Member("rect")) {
        for (auto [key, field] :
             {std::pair{"x", &monitor.area.x}, std::pair{"y", &monitor.area.y},
              std::pair{"width", &monitor.area.width}, std::pair{"height", &monitor.area.height}}) {
            if (const JsonValue* value = rect->Member(key))
                *field = static_cast<int>(value->number);
        }
    }
    return monitor;
}

}  // namespace

std::vector<DesktopMonitor> SwayWallpaperBackend::OutputsOf(const std::string& answer) {
    const std::optional<JsonValue> list = ParseJson(answer);
    if (!list || list->kind != JsonValue::Kind::Array)
        return {};
    std::vector<DesktopMonitor> outputs;
    for (const JsonValue& output : list->items) {
        const JsonValue* active = output.Member("active");
        DesktopMonitor monitor = OutputOf(output);
        if (active != nullptr && active->boolean && !monitor.name.empty() &&
            monitor.area.width > 0 && monitor.area.height > 0)
            outputs.push_back(std::move(monitor));
    }
    std::sort(outputs.begin(), outputs.end(), [](const DesktopMonitor& a, const DesktopMonitor& b) {
        return std::tie(a.area.x, a.area.y) < std::tie(b.area.x, b.area.y);
    });
    if (!outputs.empty() && std::none_of(outputs.begin(), outputs.end(),
                                         [](const DesktopMonitor& m) { return m.area.primary; }))
        outputs.front().area.primary = true;
    return outputs;
}

std::vector<DesktopMonitor> SwayWallpaperBackend::Monitors() const {
    Result<std::string> answer = RunChecked({swaymsg_, "-t", "get_outputs", "-r"});
    return answer ? OutputsOf(*answer) : std::vector<DesktopMonitor>{};
}

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
    std::vector<std::string> argv = {program_};
    const std::vector<DesktopMonitor> outputs =
        change.monitor_pictures.empty() ? std::vector<DesktopMonitor>{} : Monitors();
    for (std::string& argument : OutputGroups(change, outputs, Mode(change.style)))
        argv.push_back(std::move(argument));
    Result<pid_t> started = StartDetached(argv);
    if (!started)
        return started.status();
    if (Status kept = ReplaceFileAtomically(pid_file_, std::to_string(*started) + "\n"); !kept)
        return kept;
    if (earlier && earlier->has_value())
        EndEarlier(**earlier);
    return Status::Ok();
}

}  // namespace orvella
