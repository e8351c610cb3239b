#include "gui/slide_prefetcher.h"

#include <QMetaObject>
#include <QObject>
#include <algorithm>
#include <cmath>

#include "codecs/image_loader.h"
#include "gui/bitmap_image.h"
#include "tools/slideshow_geometry.h"

namespace orvella {
namespace {

// A shrunk picture gets the device pixels of its rectangle, but never more than it has;
// one shown at natural size keeps its own pixels.
NaturalSize DecodedSize(const SlidePlacement& placement, NaturalSize natural, qreal ratio) {
    if (!placement.scaled)
        return natural;
    const auto device = [ratio](int side, int most) {
        return std::clamp(static_cast<int>(std::lround(side * ratio)), 1, most);
    };
    return {device(placement.width, natural.width), device(placement.height, natural.height)};
}

}  // namespace

Result<Slide> LoadSlide(const std::string& path, const SlideScreen& screen) {
    SlidePlacement placement;
    Result<FittedImage> fitted = LoadImageFitted(path, [&](NaturalSize natural) {
        placement = PlaceSlide({natural.width, natural.height},
                               {screen.size.width(), screen.size.height()});
        return DecodedSize(placement, natural, screen.device_pixel_ratio);
    });
    if (!fitted)
        return fitted.status();
    return Slide{ImageTakingBitmap(std::move(fitted->bitmap)),
                 QRect(placement.left, placement.top, placement.width, placement.height), path};
}

SlidePrefetcher::SlidePrefetcher(QObject* context, std::vector<std::string> paths,
                                 SlideScreen screen, Done done, bool ahead)
    : context_(context),
      paths_(std::move(paths)),
      screen_(screen),
      done_(std::move(done)),
      ahead_(ahead),
      thread_([this] { Loop(); }) {}

SlidePrefetcher::~SlidePrefetcher() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SlidePrefetcher::Want(int index) {
    std::optional<Result<Slide>> ready;
    {
        const std::lock_guard lock(mutex_);
        wanted_ = index;
        const std::vector<int> window = Window();
        std::erase_if(held_, [&](const auto& held) {
            return std::find(window.begin(), window.end(), held.first) == window.end();
        });
        if (const auto found = held_.find(index); found != held_.end())
            ready = found->second;
    }
    wake_.notify_all();
    if (ready && done_)
        done_(index, *ready);
}

std::vector<int> SlidePrefetcher::Held() const {
    const std::lock_guard lock(mutex_);
    std::vector<int> indices;
    for (const auto& held : held_)
        indices.push_back(held.first);
    return indices;
}

std::vector<int> SlidePrefetcher::Window() const {
    const int count = static_cast<int>(paths_.size());
    if (wanted_ < 0 || wanted_ >= count)
        return {};
    std::vector<int> window{wanted_};
    if (!ahead_)
        return window;
    for (const int step : {1, count - 1}) {
        const int index = (wanted_ + step) % count;
        if (std::find(window.begin(), window.end(), index) == window.end())
            window.push_back(index);
    }
    return window;
}

int SlidePrefetcher::NextToDecode() const {
    for (const int index : Window()) {
        if (!held_.contains(index))
            return index;
    }
    return -1;
}

void SlidePrefetcher::Loop() {
    for (;;) {
        int index = -1;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || (index = NextToDecode()) >= 0; });
            if (stopping_)
                return;
        }
        Result<Slide> slide = LoadSlide(paths_[static_cast<std::size_t>(index)], screen_);
        bool deliver = false;
        {
            const std::lock_guard lock(mutex_);
            const std::vector<int> window = Window();
            // One the user has moved away from meanwhile is dropped at once.
            if (std::find(window.begin(), window.end(), index) != window.end())
                held_.insert_or_assign(index, std::move(slide));
            deliver = index == wanted_;
        }
        if (deliver)
            QMetaObject::invokeMethod(
                context_, [this, index] { Deliver(index); }, Qt::QueuedConnection);
    }
}

void SlidePrefetcher::Deliver(int index) {
    std::optional<Result<Slide>> ready;
    {
        const std::lock_guard lock(mutex_);
        if (index != wanted_)
            return;
        if (const auto found = held_.find(index); found != held_.end())
            ready = found->second;
    }
    if (ready && done_)
        done_(index, *ready);
}

}  // namespace orvella
