#include "gui/sound_output.h"

#include <sys/stat.h>

#include <string>

namespace orvella {
namespace {

bool Exists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

}  // namespace

bool SoundServerReachable(const Environment& environment) {
    // A server named outright may be on another machine: the sound system decides.
    if (!environment.Get("PULSE_SERVER").value_or("").empty())
        return true;
    const std::string runtime_dir = environment.Get("XDG_RUNTIME_DIR").value_or("");
    if (!runtime_dir.empty() && Exists(runtime_dir + "/pulse/native"))
        return true;
    return Exists("/run/pulse/native");  // a system-wide server
}

}  // namespace orvella
