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
    // The files the program reads at run time and never writes (help pages, language
    // modules, "Icons/StdImage.bmp"), with a trailing "/": see SharedFilesFolder.
    std::string shared_dir;
    // The executable's folder, where the programs that come with it lie, with a trailing "/".
    std::string programs_dir;
    std::string windows_dir;
    std::string registry_file;
    // $XDG_CONFIG_HOME/autostart/orvella.desktop: what the desktop starts at log-in.
    std::string autostart_file;
};

// An XDG base folder without trailing "/": `variable` when it holds an absolute path, else
// $HOME followed by `fallback` (such as "/.local/share").
std::string XdgFolder(const Environment& environment, std::string_view variable,
                      std::string_view fallback);

// An installed copy: the executable lies in "<prefix>/bin/" and "<prefix>/share/orvella/"
// is there, whatever the prefix. Its run-time files are in that folder; a copy that runs
// where it was built keeps them beside itself. Both answers end with "/".
bool IsInstalledCopy(std::string_view executable_path);
std::string SharedFilesFolder(std::string_view executable_path);

// ORVELLA_PROGRAM_DIR, else the executable's folder when it is no installed copy and we may
// write there, else $XDG_DATA_HOME/orvella/; ORVELLA_WINDOWS_DIR, else
// $XDG_DATA_HOME/orvella/windows; ORVELLA_REGISTRY, else $XDG_CONFIG_HOME/orvella/registry.reg.
ProgramPaths ResolvePaths(const Environment& environment, std::string_view executable_path);

}  // namespace orvella
