#include "support/headless_sway.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/system/process.h"

namespace orvella::testing {
namespace {

constexpr const char* kConfig =
    "output HEADLESS-1 mode 640x480 position 0 0\n"
    "output HEADLESS-2 mode 320x240 position 640 0\n";

// The name of the socket sway made in `runtime` that starts with `prefix` (its Wayland
// display, its IPC socket), empty while there is none.
std::string SocketIn(const std::string& runtime, std::string_view prefix) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && !name.ends_with(".lock"))
            return name;
    }
    return {};
}

}  // namespace

HeadlessSway::HeadlessSway() {
    Result<ProcessOutput> version = RunProcess({"sway", "--version"});
    if (!version || version->exit_code != 0) {
        error_ = "sway is not installed (scripts/install-deps.sh installs sway, swaybg, grim)";
        return;
    }
    if (!user_.error().empty()) {
        error_ = user_.error();
        return;
    }
    Start();
}

void HeadlessSway::Start() {
    const std::string runtime = dir_.File("run");
    dir_.Write("config", kConfig);
    if (::mkdir(runtime.c_str(), 0700) != 0 || !user_.Own(dir_.path()) || !user_.Own(runtime)) {
        error_ = "the runtime folder for sway could not be made";
        return;
    }
    sway_.emplace(user_.As({"sway", "-c", dir_.File("config")}),
                  EnvironmentWith({"XDG_RUNTIME_DIR=" + runtime, "HOME=" + dir_.path(),
                                   "WLR_BACKENDS=headless", "WLR_HEADLESS_OUTPUTS=2",
                                   "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1"}),
                  false);
    for (int attempt = 0; attempt < 200 && sway_->Running(); ++attempt) {
        const std::string ipc = SocketIn(runtime, "sway-ipc.");
        if (const std::string socket = SocketIn(runtime, "wayland-");
            !socket.empty() && !ipc.empty()) {
            if (!runtime_) {
                runtime_.emplace("XDG_RUNTIME_DIR", runtime);
                display_.emplace("WAYLAND_DISPLAY", socket);
                ipc_.emplace("SWAYSOCK", runtime + "/" + ipc);
            }
            // Ready once the second output has its own size.
            if (Shoot("HEADLESS-2").width == 320)
                return;
        }
        ::usleep(50'000);
    }
    error_ = "headless sway did not start with its two outputs";
}

Screenshot HeadlessSway::Shoot(const std::string& output) {
    Result<ProcessOutput> shot = RunProcess({"grim", "-t", "ppm", "-o", output, "-"});
    if (!shot || shot->exit_code != 0)
        return {};
    return ReadPpm(shot->out);
}

}  // namespace orvella::testing
