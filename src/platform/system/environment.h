#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvella {

// The process environment, behind an interface so path and version rules can be tested
// with any set of variables.
class Environment {
public:
    virtual ~Environment() = default;
    // nullopt when unset; an empty variable counts as unset, as the shell's ${X:-} does.
    virtual std::optional<std::string> Get(std::string_view name) const = 0;
};

class ProcessEnvironment : public Environment {
public:
    std::optional<std::string> Get(std::string_view name) const override;
};

class MapEnvironment : public Environment {
public:
    MapEnvironment() = default;
    explicit MapEnvironment(std::map<std::string, std::string, std::less<>> values)
        : values_(std::move(values)) {}
    void Set(std::string name, std::string value) { values_[std::move(name)] = std::move(value); }
    std::optional<std::string> Get(std::string_view name) const override;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// The running executable's full path ("/proc/self/exe"); empty when it cannot be read.
std::string ExecutablePath();

// The folders the program keeps its files in. program_dir ends with "/", as the program
// folder always does; windows_dir does not, as GetWindowsDirectory's answer does not.
struct ProgramPaths {
    std::string program_dir;
    std::string windows_dir;
    std::string registry_file;
    // $XDG_CONFIG_HOME/autostart/orvella.desktop: what the desktop starts at log-in.
    std::string autostart_file;
};

// An XDG base folder without trailing "/": `variable` when it holds an absolute path, else
// $HOME followed by `fallback` (such as "/.local/share").
std::string XdgFolder(const Environment& environment, std::string_view variable,
                      std::string_view fallback);

// ORVELLA_PROGRAM_DIR, else the executable's folder when we may write there, else
// $XDG_DATA_HOME/orvella/; ORVELLA_WINDOWS_DIR, else $XDG_DATA_HOME/orvella/windows;
// ORVELLA_REGISTRY, else $XDG_CONFIG_HOME/orvella/registry.reg.
ProgramPaths ResolvePaths(const Environment& environment, std::string_view executable_path);

}  // namespace orvella
