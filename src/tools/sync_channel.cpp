#include "tools/sync_channel.h"

#include <utility>

#include "tools/owner_thread.h"

namespace orvella {

std::shared_ptr<SyncChannel> SyncChannel::Create(OwnerThread& owner,
                                                 std::function<void()> completion) {
    return std::shared_ptr<SyncChannel>(new SyncChannel(owner, std::move(completion)));
}

SyncChannel::SyncChannel(OwnerThread& owner, std::function<void()> completion)
    : owner_(owner), completion_(std::move(completion)) {}

bool SyncChannel::Call(std::function<void()> call) {
    std::unique_lock lock(mutex_);
    if (closed_) {
        return false;
    }
    const std::uint64_t number = ++posted_;
    pending_ = std::move(call);
    lock.unlock();
    Wake();
    lock.lock();
    changed_.wait(lock, [&] { return closed_ || answered_ >= number; });
    if (closed_) {
        return false;
    }
    if (std::exception_ptr failure = std::exchange(failure_, nullptr)) {
        lock.unlock();
        std::rethrow_exception(failure);
    }
    return true;
}

void SyncChannel::Finish() {
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    changed_.notify_all();
    Wake();
}

void SyncChannel::Serve() {
    std::unique_lock lock(mutex_);
    if (serving_depth_ > 0 && answered_ < posted_) {
        // Called from inside the call the worker waits for: let the worker go on to its end.
        answered_ = posted_;
        changed_.notify_all();
    }
    for (;;) {
        changed_.wait(lock, [&] { return closed_ || pending_ || finished_; });
        if (closed_) {
            return;
        }
        if (!RunPending(lock)) {
            CompleteIfDue(lock);
            return;
        }
    }
}

void SyncChannel::Close() {
    std::function<void()> dropped_call;
    std::function<void()> dropped_completion;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        dropped_call = std::exchange(pending_, nullptr);
        dropped_completion = std::exchange(completion_, nullptr);
    }
    changed_.notify_all();
}

void SyncChannel::Wake() {
    owner_.Post([self = shared_from_this()] { self->OnWake(); });
}

void SyncChannel::OnWake() {
    std::unique_lock lock(mutex_);
    if (closed_) {
        return;
    }
    RunPending(lock);
    CompleteIfDue(lock);
}

bool SyncChannel::RunPending(std::unique_lock<std::mutex>& lock) {
    if (!pending_) {
        return false;
    }
    std::function<void()> call = std::exchange(pending_, nullptr);
    const std::uint64_t number = posted_;
    ++serving_depth_;
    lock.unlock();
    std::exception_ptr failure;
    try {
        call();
    } catch (...) {
        // Handed to the worker, whose walk ends on it.
        failure = std::current_exception();
    }
    call = nullptr;
    lock.lock();
    --serving_depth_;
    if (answered_ < number) {
        answered_ = number;
        failure_ = failure;
        changed_.notify_all();
    } else if (failure) {
        // The call was released (its handler aborted the search) and the worker has gone:
        // the failure goes to the owner's thread's own error handling instead.
        lock.unlock();
        std::rethrow_exception(failure);
    }
    return true;
}

void SyncChannel::CompleteIfDue(std::unique_lock<std::mutex>& lock) {
    if (!finished_ || completed_ || closed_) {
        lock.unlock();
        return;
    }
    completed_ = true;
    std::function<void()> completion = std::exchange(completion_, nullptr);
    lock.unlock();
    if (completion) {
        completion();
    }
}

}  // namespace orvella
