#include "tools/delivery_channel.h"

#include <utility>

#include "tools/owner_thread.h"

namespace orvella {

using Clock = std::chrono::steady_clock;

std::shared_ptr<DeliveryChannel> DeliveryChannel::Create(OwnerThread& owner, Handlers handlers) {
    return std::shared_ptr<DeliveryChannel>(new DeliveryChannel(owner, std::move(handlers)));
}

DeliveryChannel::DeliveryChannel(OwnerThread& owner, Handlers handlers)
    : owner_(owner), handlers_(std::move(handlers)) {
    gathered_.reserve(kBatchSize);
}

bool DeliveryChannel::Send(const std::string& folder, const TFileInfo& info) {
    if (gathered_.empty()) {
        oldest_ = Clock::now();
    }
    gathered_.push_back({folder, info, {}, 0});
    return gathered_.size() < kBatchSize || HandOver(true);
}

void DeliveryChannel::Tick() {
    // The clock is read now and then only: ticks come once per directory entry.
    if (gathered_.empty() || ++ticks_ % 64 != 0) {
        return;
    }
    if (Clock::now() - oldest_ >= kMaxLatency) {
        HandOver(true);
    }
}

bool DeliveryChannel::HandOver(bool wait_for_room) {
    std::unique_lock lock(mutex_);
    if (wait_for_room) {
        worker_waits_ = true;
        changed_.wait(lock, [&] {
            return closed_ || dropped_ || queued_finds_ + gathered_.size() <= kMaxQueued;
        });
        worker_waits_ = false;
    }
    if (closed_ || dropped_) {
        gathered_.clear();
        return false;
    }
    queued_finds_ += gathered_.size();
    for (Item& item : gathered_) {
        queue_.push_back(std::move(item));
    }
    gathered_.clear();
    const bool post = !std::exchange(wake_posted_, true);
    lock.unlock();
    changed_.notify_all();
    if (post) {
        Wake();
    }
    return true;
}

bool DeliveryChannel::Call(std::function<void()> call) {
    if (!gathered_.empty() && !HandOver(true)) {
        return false;
    }
    std::unique_lock lock(mutex_);
    if (closed_ || dropped_) {
        return false;
    }
    const std::uint64_t number = ++calls_posted_;
    queue_.push_back({{}, {}, std::move(call), number});
    const bool post = !std::exchange(wake_posted_, true);
    lock.unlock();
    changed_.notify_all();
    if (post) {
        Wake();
    }
    lock.lock();
    changed_.wait(lock, [&] { return closed_ || dropped_ || calls_answered_ >= number; });
    return !closed_ && calls_answered_ >= number;
}

void DeliveryChannel::Finish() {
    if (!gathered_.empty()) {
        HandOver(true);
    }
    std::unique_lock lock(mutex_);
    finished_ = true;
    const bool post = !std::exchange(wake_posted_, true);
    lock.unlock();
    changed_.notify_all();
    if (post) {
        Wake();
    }
}

void DeliveryChannel::Serve() {
    std::unique_lock lock(mutex_);
    if (delivering_ > 0) {
        Drop();
    }
    for (;;) {
        changed_.wait(lock, [&] { return closed_ || !queue_.empty() || finished_; });
        if (closed_) {
            return;
        }
        if (queue_.empty()) {
            CompleteIfDue(lock);
            return;
        }
        DeliverFront(lock);
    }
}

void DeliveryChannel::Close() {
    std::deque<Item> dropped;
    std::function<void()> dropped_completion;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        dropped.swap(queue_);
        queued_finds_ = 0;
        dropped_completion = std::exchange(handlers_.completion, nullptr);
    }
    changed_.notify_all();
}

void DeliveryChannel::Wake() {
    owner_.Post([self = shared_from_this()] { self->OnWake(); });
}

void DeliveryChannel::OnWake() {
    std::unique_lock lock(mutex_);
    wake_posted_ = false;
    const Clock::time_point deadline = Clock::now() + kSliceTime;
    unsigned delivered = 0;
    while (!closed_ && !queue_.empty()) {
        if (++delivered % 16 == 0 && Clock::now() > deadline) {
            // The owner's other events get their turn; the rest follows on the next wake-up.
            const bool post = !std::exchange(wake_posted_, true);
            lock.unlock();
            if (post) {
                Wake();
            }
            return;
        }
        DeliverFront(lock);
    }
    CompleteIfDue(lock);
}

void DeliveryChannel::DeliverFront(std::unique_lock<std::mutex>& lock) {
    Item item = std::move(queue_.front());
    queue_.pop_front();
    const bool is_call = static_cast<bool>(item.call);
    const std::uint64_t call_number = item.call_number;
    if (!is_call) {
        --queued_finds_;
    }
    // Woken only when a whole batch fits again, so a full queue does not wake the worker
    // for every find delivered.
    const bool worker_waits = worker_waits_ && queued_finds_ + kBatchSize <= kMaxQueued;
    ++delivering_;
    lock.unlock();
    if (worker_waits) {
        changed_.notify_all();
    }
    std::exception_ptr failure;
    try {
        if (is_call) {
            item.call();
        } else {
            handlers_.found(item.folder, item.info);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    item = Item();
    lock.lock();
    --delivering_;
    if (is_call && calls_answered_ < call_number) {
        calls_answered_ = call_number;
        changed_.notify_all();
    }
    if (!failure) {
        return;
    }
    if (dropped_ || closed_) {
        // The search has already ended (its handler aborted it): the failure goes to the
        // owner's thread's own error handling.
        lock.unlock();
        std::rethrow_exception(failure);
    }
    lock.unlock();
    handlers_.failed(failure);
    lock.lock();
    Drop();
}

void DeliveryChannel::Drop() {
    dropped_ = true;
    queue_.clear();
    queued_finds_ = 0;
    changed_.notify_all();
}

void DeliveryChannel::CompleteIfDue(std::unique_lock<std::mutex>& lock) {
    if (!finished_ || completed_ || closed_ || !queue_.empty()) {
        lock.unlock();
        return;
    }
    completed_ = true;
    std::function<void()> completion = std::exchange(handlers_.completion, nullptr);
    lock.unlock();
    if (completion) {
        completion();
    }
}

}  // namespace orvella
