#include "owner_loop.h"

#include <future>
#include <utility>

namespace orvella::testing {

OwnerLoop::OwnerLoop() : thread_([this] { Loop(); }) {}

OwnerLoop::~OwnerLoop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    posted_.notify_all();
    thread_.join();
}

void OwnerLoop::Post(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
}

void OwnerLoop::Run(const std::function<void()>& task) {
    std::promise<void> done;
    Post([&] {
        task();
        done.set_value();
    });
    done.get_future().wait();
}

void OwnerLoop::Loop() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            posted_.wait(lock, [&] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty()) {
                return;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace orvella::testing
