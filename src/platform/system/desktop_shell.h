#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/status.h"

namespace orvella {

// What the program hands to the desktop's other programs: a document or web address opened
// with the program the user chose for it, a picture printed, pictures mailed. A failure
// carries the platform's own text for it, which the caller puts after its message.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual Status Open(const std::string& target) = 0;
    virtual Status Print(const std::string& path) = 0;
    // One new message of the user's mail program with `attachments`, in this order.
    virtual Status Mail(const std::vector<std::string>& attachments) = 0;
};

// The programs a host shell starts, each with any leading arguments; tests point them at
// recording stand-ins.
struct DesktopShellCommands {
    std::vector<std::string> open{"xdg-open"};
    std::vector<std::string> print{"lp"};
    std::vector<std::string> mail{"xdg-email"};
    // How long a program may take to report a failure. One still running after it is taken
    // to be showing the file (xdg-open may run the viewer in its own place) and left to run.
    std::chrono::milliseconds wait{2000};
};

// xdg-open, lp (the default printer) and xdg-email --attach, each started with an argument
// vector, so a path with blanks, quotes, ";", "$" or a leading "-" is just a name. A file
// that does not exist fails before anything is started, with the file-not-found text.
class HostDesktopShell : public DesktopShell {
public:
    explicit HostDesktopShell(DesktopShellCommands commands = {})
        : commands_(std::move(commands)) {}
    Status Open(const std::string& target) override;
    Status Print(const std::string& path) override;
    Status Mail(const std::vector<std::string>& attachments) override;

private:
    Status Run(const std::vector<std::string>& argv) const;
    DesktopShellCommands commands_;
};

// True for "https://...", "mailto:..." and other addresses with a scheme; false for paths.
bool IsWebAddress(const std::string& target);

}  // namespace orvella
