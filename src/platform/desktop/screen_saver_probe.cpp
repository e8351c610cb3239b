#include "platform/desktop/screen_saver_probe.h"

#include "platform/system/process.h"

namespace orvella {

HostScreenSaverProbe::HostScreenSaverProbe(const Environment& environment, std::string dbus_send)
    : has_session_bus_(environment.Get("DBUS_SESSION_BUS_ADDRESS").has_value()),
      dbus_send_(std::move(dbus_send)) {}

bool HostScreenSaverProbe::IsRunning() const {
    // Without an address dbus-send would try to start a bus of its own: not worth a change.
    if (!has_session_bus_)
        return false;
    Result<std::string> reply =
        RunChecked({dbus_send_, "--session", "--print-reply=literal", "--reply-timeout=1000",
                    "--dest=org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                    "org.freedesktop.ScreenSaver.GetActive"});
    return reply && reply->find("boolean true") != std::string::npos;
}

}  // namespace orvella
