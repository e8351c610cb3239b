#pragma once

#include <string>

#include "platform/system/environment.h"

namespace orvella {

// SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING): whether a screen saver is showing now.
class ScreenSaverProbe {
public:
    virtual ~ScreenSaverProbe() = default;
    virtual bool IsRunning() const = 0;
};

// Asks the session's org.freedesktop.ScreenSaver service (GNOME, KDE, XFCE and most screen
// lockers answer it). Without a session bus, or when nobody answers, no screen saver runs.
class HostScreenSaverProbe : public ScreenSaverProbe {
public:
    // `dbus_send`: the program to ask with; tests give a stand-in.
    explicit HostScreenSaverProbe(const Environment& environment,
                                  std::string dbus_send = "dbus-send");
    bool IsRunning() const override;

private:
    bool has_session_bus_;
    std::string dbus_send_;
};

// The answer to "ORVELLA_SCREENSAVER=running" and to tests: always the same.
class FixedScreenSaverProbe : public ScreenSaverProbe {
public:
    explicit FixedScreenSaverProbe(bool running) : running_(running) {}
    bool IsRunning() const override { return running_; }

private:
    bool running_;
};

}  // namespace orvella
