#pragma once

#include <functional>

namespace orvella {

// The thread that owns a search engine (the user-interface thread), as the engine's worker
// reaches it. The GUI implements Post with a queued Qt invocation; tests with an event-loop
// thread of their own.
class OwnerThread {
public:
    virtual ~OwnerThread() = default;
    // Queues `task` to run in the owner's thread, in posting order, and returns at once.
    // Called from any thread. Tasks that are never run (the loop has ended) may be dropped.
    virtual void Post(std::function<void()> task) = 0;
};

}  // namespace orvella
