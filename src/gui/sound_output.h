#pragma once

#include "platform/system/environment.h"

namespace orvella {

// Qt's sound output plays through a PulseAudio server (PipeWire offers the same socket).
// Without one, merely asking Qt Multimedia for a device makes it complain on stderr, so the
// program asks this first and stays silent on a machine that has nowhere to play.
bool SoundServerReachable(const Environment& environment);

}  // namespace orvella
