#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tools/file_info.h"

namespace orvella {

class OwnerThread;

// Carries a search's finds and calls from its worker to the owner's thread, in the order
// the worker makes them, built on OwnerThread::Post alone, so the owner's thread can serve
// them itself while it waits for the worker.
//
// Finds travel in batches: the worker gathers them and hands a batch over when it holds
// kBatchSize finds, when its oldest find has waited kMaxLatency, before a call and at the
// end. A hand-over posts one wake-up unless one is on its way; the owner's thread delivers
// what is queued from it, for at most kSliceTime before it posts itself another wake-up, so
// its other events keep running. The bound: the worker waits before a hand-over that would
// leave more than kMaxQueued finds undelivered, so it never runs more than kMaxAhead finds
// ahead of the owner. A call (OnNewFolder, whose answer the worker needs) is queued behind
// the finds before it, and the worker waits until it has run.
//
// Serve is the owner's wait for the end of the search (Abort): it delivers what is queued
// and what still comes, then runs the completion. From inside a handler it cannot deliver
// without nesting one handler in another, so it drops what is queued instead: the owner sees
// no find after the handler that aborted. A handler that throws ends the deliveries the same
// way, after the failure handler ran. Close drops everything, releases the worker and makes
// every later wake-up a no-op: the engine's destructor.
class DeliveryChannel : public std::enable_shared_from_this<DeliveryChannel> {
public:
    static constexpr std::size_t kBatchSize = 64;
    static constexpr std::size_t kMaxQueued = 256;
    static constexpr std::size_t kMaxAhead = kMaxQueued + kBatchSize;
    static constexpr std::chrono::milliseconds kMaxLatency{10};
    static constexpr std::chrono::milliseconds kSliceTime{10};

    struct Handlers {
        std::function<void(const std::string& folder, const TFileInfo& info)> found;
        // A handler threw; its exception.
        std::function<void(std::exception_ptr failure)> failed;
        // Runs once after Finish and the last delivery, unless closed before.
        std::function<void()> completion;
    };

    static std::shared_ptr<DeliveryChannel> Create(OwnerThread& owner, Handlers handlers);

    // Worker: queues one find. False when the deliveries have ended (dropped or closed).
    bool Send(const std::string& folder, const TFileInfo& info);
    // Worker, between entries: hands the gathered finds over when the oldest has waited long.
    void Tick();
    // Worker: runs `call` in the owner's thread after the finds before it and returns when
    // it has run (true), or when the deliveries have ended (false).
    bool Call(std::function<void()> call);
    // Worker: its last act.
    void Finish();

    // Owner: see above.
    void Serve();
    void Close();

private:
    struct Item {
        std::string folder;
        TFileInfo info;
        std::function<void()> call;  // set for a call
        std::uint64_t call_number = 0;
    };

    DeliveryChannel(OwnerThread& owner, Handlers handlers);
    bool HandOver(bool wait_for_room);
    void Wake();
    void OnWake();
    // Owner, with `lock` held: delivers the front item; the lock is released meanwhile.
    void DeliverFront(std::unique_lock<std::mutex>& lock);
    // Owner, with `lock` held: ends all deliveries.
    void Drop();
    // Owner, with `lock` held: runs the completion if due; releases the lock.
    void CompleteIfDue(std::unique_lock<std::mutex>& lock);

    OwnerThread& owner_;
    Handlers handlers_;

    // The worker's own.
    std::vector<Item> gathered_;
    std::chrono::steady_clock::time_point oldest_;
    unsigned ticks_ = 0;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> queue_;
    std::size_t queued_finds_ = 0;
    std::uint64_t calls_posted_ = 0;
    std::uint64_t calls_answered_ = 0;
    bool wake_posted_ = false;
    bool worker_waits_ = false;
    bool dropped_ = false;
    bool finished_ = false;
    bool completed_ = false;
    bool closed_ = false;
    int delivering_ = 0;  // owner's deliveries on the stack
};

}  // namespace orvella
