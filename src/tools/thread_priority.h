#pragma once

#include "platform/status.h"

namespace orvella {

// The priorities of a worker thread, as the Windows design names them.
enum class TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// Gives the calling thread `priority` through its nice value (Linux schedules threads
// one by one). Priorities above normal need CAP_SYS_NICE; without it the error says so and
// the thread keeps running at normal priority.
Status ApplyThreadPriority(TThreadPriority priority);

}  // namespace orvella
