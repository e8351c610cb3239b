#include "platform/system/environment.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/files/files.h"

namespace orvella {
namespace {

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    return path;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::string XdgFolder(const Environment& environment, std::string_view variable,
                      std::string_view fallback) {
    if (std::optional<std::string> value = environment.Get(variable);
        value && value->front() == '/') {
        return WithoutTrailingSlash(*value);
    }
    const std::string home = environment.Get("HOME").value_or("/tmp");
    return WithoutTrailingSlash(home) + std::string(fallback);
}

std::optional<std::string> ProcessEnvironment::Get(std::string_view name) const {
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> MapEnvironment::Get(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end() || found->second.empty())
        return std::nullopt;
    return found->second;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length));
}

ProgramPaths ResolvePaths(const Environment& environment, std::string_view executable_path) {
    ProgramPaths paths;
    const std::string data_home = XdgFolder(environment, "XDG_DATA_HOME", "/.local/share");
    const std::string config_home = XdgFolder(environment, "XDG_CONFIG_HOME", "/.config");
    paths.autostart_file = config_home + "/autostart/orvella.desktop";

    if (std::optional<std::string> dir = environment.Get("ORVELLA_PROGRAM_DIR")) {
        paths.program_dir = WithTrailingSlash(*dir);
    } else {
        const std::string exe_dir = ParentFolder(executable_path);
        // An installed copy lives in a folder we may not write; its data goes to the user's.
        if (!exe_dir.empty() && ::access(exe_dir.c_str(), W_OK) == 0) {
            paths.program_dir = exe_dir;
        } else {
            paths.program_dir = data_home + "/orvella/";
        }
    }
    paths.windows_dir = WithoutTrailingSlash(
        environment.Get("ORVELLA_WINDOWS_DIR").value_or(data_home + "/orvella/windows"));
    paths.registry_file =
        environment.Get("ORVELLA_REGISTRY").value_or(config_home + "/orvella/registry.reg");
    return paths;
}

}  // namespace orvella
