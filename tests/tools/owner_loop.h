#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "tools/owner_thread.h"

namespace orvella::testing {

// The owner's thread of a search, as a test has it: an event loop in a thread of its own,
// running posted tasks in order, as the GUI's event loop runs queued calls.
class OwnerLoop : public OwnerThread {
public:
    OwnerLoop();
    ~OwnerLoop() override;
    OwnerLoop(const OwnerLoop&) = delete;
    OwnerLoop& operator=(const OwnerLoop&) = delete;

    void Post(std::function<void()> task) override;
    // Runs `task` in the loop's thread and returns when it has run.
    void Run(const std::function<void()>& task);
    // Returns when every task posted before it has run.
    void Drain() {
        Run([] {});
    }
    std::thread::id id() const { return thread_.get_id(); }

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace orvella::testing
