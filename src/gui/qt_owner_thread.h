#pragma once

#include <QObject>

#include "tools/owner_thread.h"

namespace orvella {

// The GUI thread as a search engine's worker reaches it: each task is a queued call into
// the thread this object was made in. Tasks still queued when it is destroyed are dropped,
// which is what the engine expects of an owner that went away (it outlives the engine, so
// nothing more is posted then).
class QtOwnerThread : public OwnerThread {
public:
    QtOwnerThread() = default;
    QtOwnerThread(const QtOwnerThread&) = delete;
    QtOwnerThread& operator=(const QtOwnerThread&) = delete;

    void Post(std::function<void()> task) override;

private:
    QObject context_;
};

}  // namespace orvella
