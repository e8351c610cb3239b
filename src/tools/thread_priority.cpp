#include "tools/thread_priority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/files.h"

namespace orvella {
namespace {

int NiceOf(TThreadPriority priority) {
    switch (priority) {
        case TThreadPriority::tpIdle:
            return 19;
        case TThreadPriority::tpLowest:
            return 10;
        case TThreadPriority::tpLower:
            return 5;
        case TThreadPriority::tpNormal:
            return 0;
        case TThreadPriority::tpHigher:
            return -5;
        case TThreadPriority::tpHighest:
            return -10;
        case TThreadPriority::tpTimeCritical:
            return -20;
    }
    return 0;
}

}  // namespace

Status ApplyThreadPriority(TThreadPriority priority) {
    const int nice = NiceOf(priority);
    if (nice == 0) {
        return Status::Ok();
    }
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice) != 0) {
        return Status::Error("thread priority: " + SystemErrorText(errno));
    }
    return Status::Ok();
}

}  // namespace orvella
