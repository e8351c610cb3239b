#include "platform/system/desktop_shell.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/files/files.h"
#include "platform/system/process.h"

namespace orvella {
namespace {

// The file-not-found text when `path` is not there; a path of a folder is fine for opening.
Status CheckExists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return Status::Error(SystemErrorText(errno));
    return Status::Ok();
}

// A relative path that begins with "-" would read as an option; "./" keeps it a name.
std::string AsArgument(const std::string& path) {
    return !path.empty() && path.front() == '-' ? "./" + path : path;
}

}  // namespace

bool IsWebAddress(const std::string& target) {
    const std::size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;  // "C:" would be a drive, a bare name no address
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.');
        if (!letter && !other)
            return false;
    }
    return true;
}

Status HostDesktopShell::Run(const std::vector<std::string>& argv) const {
    Result<BriefRun> run = RunBriefly(argv, commands_.wait);
    if (!run)
        return run.status();
    if (run->output && run->output->exit_code != 0)
        return Status::Error(DescribeFailure(argv[0], *run->output));
    return Status::Ok();
}

Status HostDesktopShell::Open(const std::string& target) {
    if (!IsWebAddress(target)) {
        if (Status exists = CheckExists(target); !exists)
            return exists;
    }
    std::vector<std::string> argv = commands_.open;
    argv.push_back(IsWebAddress(target) ? target : AsArgument(target));
    return Run(argv);
}

Status HostDesktopShell::Print(const std::string& path) {
    if (Status exists = CheckExists(path); !exists)
        return exists;
    std::vector<std::string> argv = commands_.print;
    argv.push_back("--");
    argv.push_back(path);
    return Run(argv);
}

Status HostDesktopShell::Mail(const std::vector<std::string>& attachments) {
    std::vector<std::string> argv = commands_.mail;
    for (const std::string& path : attachments) {
        if (Status exists = CheckExists(path); !exists)
            return Status::Error(path + ": " + exists.message());
        argv.push_back("--attach");
        argv.push_back(path);
    }
    return Run(argv);
}

}  // namespace orvella
