#pragma once

#include <QImage>
#include <QSize>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/status.h"

class QObject;
class QThread;

namespace orvella {

// Renders HTML pages for thumbnails in a thread of its own, one at a time, so a large page
// never holds up the window. Only the latest request counts: a request still waiting when
// a newer one comes is dropped unrendered, and the result of one that was overtaken while
// rendering is not delivered.
class PageThumbnailWorker {
public:
    // `done` runs in the thread of `context` with each delivered result. The worker must
    // go before `context` does (it is the context's member), so nothing is delivered later.
    using Done = std::function<void(Result<QImage> thumbnail)>;
    PageThumbnailWorker(QObject* context, Done done);
    ~PageThumbnailWorker();
    PageThumbnailWorker(const PageThumbnailWorker&) = delete;
    PageThumbnailWorker& operator=(const PageThumbnailWorker&) = delete;

    // The page laid out at `page_size`, with its left and top 2 pixels and the strips of
    // the scroll bars (19 at the right, 12 at the bottom) cut off.
    void Request(std::string page, QSize page_size);
    // Drops the waiting request and keeps the result of one being rendered from arriving.
    void Cancel();
    // True while a request waits or renders, or its result is on its way.
    bool Busy() const;

    // The cut of a page laid out at `page_size`, in its own coordinates.
    static QRect VisiblePart(QSize page_size);

private:
    struct Job {
        std::uint64_t id = 0;
        std::string page;
        QSize size;
    };

    void Loop();
    void Deliver(std::uint64_t id, const Result<QImage>& thumbnail);

    QObject* context_;
    Done done_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> waiting_;
    std::uint64_t latest_ = 0;     // id of the newest request
    std::uint64_t delivered_ = 0;  // id of the newest request that is done with
    bool stopping_ = false;
    // A QThread rather than a bare one: the page's layout engine starts timers.
    std::unique_ptr<QThread> thread_;
};

}  // namespace orvella
