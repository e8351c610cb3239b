#pragma once

#include <optional>
#include <string>

#include "support/desktop_services.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace orvella::testing {

// A headless sway of the test's own with two outputs of different sizes side by side:
// HEADLESS-1 640 x 480 at the origin and HEADLESS-2 320 x 240 right of it. It runs as a
// ServiceUser; XDG_RUNTIME_DIR, WAYLAND_DISPLAY and SWAYSOCK name it while it lives, so the
// swaybg a backend starts draws on it and swaymsg asks it.
class HeadlessSway {
public:
    HeadlessSway();
    // Why it is not running; empty when it is.
    const std::string& error() const { return error_; }
    // The output's picture as grim takes it; width 0 when it could not be taken.
    static Screenshot Shoot(const std::string& output);

private:
    void Start();

    TempDir dir_;
    ServiceUser user_;
    std::optional<Service> sway_;
    std::optional<ScopedEnv> runtime_;
    std::optional<ScopedEnv> display_;
    std::optional<ScopedEnv> ipc_;
    std::string error_;
};

}  // namespace orvella::testing
