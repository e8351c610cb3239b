#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace orvella::testing {

// A program a test starts and ends (SIGTERM, then it is waited for) with the object. pid()
// is 0 when it could not be started. With `line_on_fd3` the first line it writes to its
// descriptor 3 is read (an address, a display number) and the start fails without one.
class Service {
public:
    Service(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            bool line_on_fd3);
    ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    pid_t pid() const { return pid_; }
    const std::string& line() const { return line_; }
    // Whether it still runs (it is our child, so an ended one is collected here).
    bool Running();

private:
    pid_t pid_ = 0;
    std::string line_;
};

// This process's environment as "NAME=value" entries, with `set` entries replacing theirs.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& set);

// The user the desktop services run as: we ourselves, or, when we are root (sway refuses
// root), a system user made for this test and removed again at its end.
class ServiceUser {
public:
    ServiceUser();
    ~ServiceUser();
    ServiceUser(const ServiceUser&) = delete;
    ServiceUser& operator=(const ServiceUser&) = delete;

    // Empty when no such user could be made.
    const std::string& error() const { return error_; }
    // `argv` as it runs as that user.
    std::vector<std::string> As(const std::vector<std::string>& argv) const;
    // Hands `path` to that user (a folder its services write into).
    bool Own(const std::string& path) const;

private:
    std::string name_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    bool made_ = false;
    std::string error_;
};

// A session bus of the test's own, named in DBUS_SESSION_BUS_ADDRESS while it lives. The
// services it starts on demand (xfconfd, dconf's) take the environment it was started in.
class SessionBus {
public:
    SessionBus();
    bool ok() const { return !daemon_.line().empty(); }

private:
    Service daemon_;
    ScopedEnv address_;
};

// An RGB picture as a screenshot gives it: 0xRRGGBB per pixel, row by row.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const {
        return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
};

// A binary PPM (P6, 8 bits) read; width 0 when `bytes` is not one.
Screenshot ReadPpm(const std::string& bytes);

}  // namespace orvella::testing
