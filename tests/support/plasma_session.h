#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/desktop_services.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/x11_server.h"

namespace orvella::testing {

// A real plasmashell of the test's own on a 1024 x 768 Xvfb. Its session bus is started with
// DISPLAY already set, or the services the shell starts through it fail and no desktop
// loads. Bus and shell run as a ServiceUser; at the end everything started on that bus goes.
class PlasmaSession {
public:
    PlasmaSession();
    ~PlasmaSession();
    PlasmaSession(const PlasmaSession&) = delete;
    PlasmaSession& operator=(const PlasmaSession&) = delete;

    // Why the shell is not there; empty when it is.
    const std::string& error() const { return error_; }
    const std::string& display() const { return xvfb_.display(); }
    // A folder the shell's user may read, with a trailing "/".
    std::string Folder() const { return dir_.File("home/"); }
    // dbus-send as the shell's user, on its bus: the KDE backend's command.
    std::vector<std::string> DbusSend() const;
    // What `script` printed when the shell ran it, or the error.
    std::string Evaluate(const std::string& script) const;

private:
    void Start();
    void EndWhatTheBusStarted() const;

    TempDir dir_;
    ServiceUser user_;
    Xvfb xvfb_{1024, 768};
    std::string address_;
    std::optional<Service> bus_;
    std::optional<Service> shell_;
    std::string error_;
};

}  // namespace orvella::testing
