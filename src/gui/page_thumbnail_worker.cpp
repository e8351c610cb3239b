#include "gui/page_thumbnail_worker.h"

#include <QMetaObject>
#include <QRect>
#include <QThread>

#include "gui/qt_page_renderer.h"

namespace orvella {
namespace {

constexpr int kLeftTopMargin = 2;
constexpr int kRightStrip = 19;
constexpr int kBottomStrip = 12;

}  // namespace

PageThumbnailWorker::PageThumbnailWorker(QObject* context, Done done)
    : context_(context), done_(std::move(done)), thread_(QThread::create([this] { Loop(); })) {
    thread_->start();
}

PageThumbnailWorker::~PageThumbnailWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_all();
    thread_->wait();
}

QRect PageThumbnailWorker::VisiblePart(QSize page_size) {
    const QRect whole(QPoint(0, 0), page_size);
    const QRect cut(kLeftTopMargin, kLeftTopMargin,
                    page_size.width() - kLeftTopMargin - kRightStrip,
                    page_size.height() - kLeftTopMargin - kBottomStrip);
    // A page too small to lose its margins is shown whole.
    return cut.isValid() ? cut : whole;
}

void PageThumbnailWorker::Request(std::string page, QSize page_size) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Job{++latest_, std::move(page), page_size};
    }
    wake_.notify_all();
}

void PageThumbnailWorker::Cancel() {
    const std::lock_guard lock(mutex_);
    waiting_.reset();
    delivered_ = ++latest_;
}

bool PageThumbnailWorker::Busy() const {
    const std::lock_guard lock(mutex_);
    return delivered_ != latest_;
}

void PageThumbnailWorker::Loop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_)
                return;
            job = std::move(*waiting_);
            waiting_.reset();
        }
        Result<QImage> page = RenderPagePicture(job.page, job.size);
        Result<QImage> thumbnail =
            page ? Result<QImage>(page->copy(VisiblePart(page->size()))) : page;
        // Handed to the context's thread, which drops it if a newer request came meanwhile.
        QMetaObject::invokeMethod(
            context_, [this, id = job.id, result = std::move(thumbnail)] { Deliver(id, result); },
            Qt::QueuedConnection);
    }
}

void PageThumbnailWorker::Deliver(std::uint64_t id, const Result<QImage>& thumbnail) {
    {
        const std::lock_guard lock(mutex_);
        if (id != latest_)
            return;
        delivered_ = id;
    }
    if (done_)
        done_(thumbnail);
}

}  // namespace orvella
