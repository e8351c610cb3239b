#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

namespace orvella {

class OwnerThread;

// Synchronous calls from a worker into the owner's thread, built on OwnerThread::Post
// alone, so the owner's thread can serve them itself while it waits for the worker.
//
// The protocol. The worker puts one call at a time in the channel and posts a wake-up to
// the owner; it blocks until the call has run. The owner runs the call from the wake-up, or
// earlier from Serve (Abort waits there instead of pumping its whole event loop, which is
// what would deadlock: the owner waiting for the worker, the worker waiting for the owner).
// Wake-ups that find nothing to do do nothing. When the worker ends it calls Finish, and the
// owner runs the completion task once, from whichever comes first: a wake-up or Serve.
// Close drops a pending call unrun, releases the worker and makes every later wake-up and
// call a no-op: the engine's destructor.
//
// A call that throws in the owner's thread throws again in the worker, from Call. If the
// owner's thread waits in Serve while it is itself inside a call (a handler that aborts the
// search), that call is released at once, so the worker can end: its result is lost.
//
// Calls hold copies of what they deliver, so a released worker leaves nothing dangling.
class SyncChannel : public std::enable_shared_from_this<SyncChannel> {
public:
    // `completion` runs in the owner's thread after Finish, once, unless closed before.
    static std::shared_ptr<SyncChannel> Create(OwnerThread& owner,
                                               std::function<void()> completion);

    // Worker: runs `call` in the owner's thread and returns when it has run (true), or
    // when the channel was closed or the call released (false).
    bool Call(std::function<void()> call);
    // Worker: its last act.
    void Finish();

    // Owner: serves calls until the worker has finished, then runs the completion (unless
    // a wake-up ran it already) and returns.
    void Serve();
    // Owner: see above.
    void Close();

private:
    SyncChannel(OwnerThread& owner, std::function<void()> completion);
    void Wake();
    void OnWake();
    // Owner, with `lock` held: runs the pending call, if any; the lock is released while it
    // runs.
    bool RunPending(std::unique_lock<std::mutex>& lock);
    // Owner, with `lock` held: runs the completion if due; releases the lock.
    void CompleteIfDue(std::unique_lock<std::mutex>& lock);

    OwnerThread& owner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> completion_;
    std::function<void()> pending_;
    std::uint64_t posted_ = 0;    // number of the last call put in the channel
    std::uint64_t answered_ = 0;  // number of the last call run or released
    std::exception_ptr failure_;  // of call `answered_`
    int serving_depth_ = 0;       // owner's calls on the stack
    bool finished_ = false;
    bool completed_ = false;
    bool closed_ = false;
};

}  // namespace orvella
