#pragma once

namespace orvella {

// Without a session bus the bus library starts one for the X display ("dbus-launch
// --autolaunch") the first time Qt asks for the bus (its accessibility bridge does so while
// the first window is built), and complains on stderr when it cannot. When the environment
// names no bus and the standard socket is absent, this points the library at that socket,
// so a missing bus simply stays missing. Call it before Qt starts.
void KeepSessionBusFromAutolaunching();

}  // namespace orvella
