#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/status.h"

class QObject;

namespace orvella {

// A picture of a slideshow, ready to draw: decoded at the device pixels it covers, and the
// rectangle it covers in the window's (logical) coordinates.
struct Slide {
    QImage image;
    QRect rect;
    std::string path;
};

// What the slides are fitted to: the screen's logical size, and its device pixels per
// logical pixel, which sets how many pixels a slide is decoded with.
struct SlideScreen {
    QSize size;
    qreal device_pixel_ratio = 1;
};

// Decodes the slides of a list in a thread of its own, so the window never waits for a
// decode: the one wanted first, then the next and the previous one, so that a step either
// way finds its picture ready. Only these three are kept; a picture leaving them is freed
// before another is decoded, so a slideshow of large photos holds a few screens of pixels,
// not a list's worth.
class SlidePrefetcher {
public:
    // Runs in the thread of `context` with the wanted slide, or why it could not be loaded.
    // The prefetcher must go before `context` does (it is the context's member).
    using Done = std::function<void(int index, const Result<Slide>& slide)>;
    // Without `ahead`, only the wanted slide is decoded (for comparing the two).
    SlidePrefetcher(QObject* context, std::vector<std::string> paths, SlideScreen screen, Done done,
                    bool ahead = true);
    ~SlidePrefetcher();
    SlidePrefetcher(const SlidePrefetcher&) = delete;
    SlidePrefetcher& operator=(const SlidePrefetcher&) = delete;

    // Makes the slide at `index` the wanted one. When it is decoded already, `done` runs
    // before this returns; otherwise as soon as it is, unless another is wanted by then.
    void Want(int index);
    // The indices held decoded, for tests.
    std::vector<int> Held() const;

private:
    // The wanted slide and the ones to decode ahead, in the order they are decoded.
    std::vector<int> Window() const;
    int NextToDecode() const;
    void Loop();
    void Deliver(int index);

    QObject* context_;
    const std::vector<std::string> paths_;
    const SlideScreen screen_;
    Done done_;
    const bool ahead_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::map<int, Result<Slide>> held_;
    int wanted_ = -1;
    bool stopping_ = false;
    std::thread thread_;
};

// Loads a picture fitted to the screen as a slideshow places it.
Result<Slide> LoadSlide(const std::string& path, const SlideScreen& screen);

}  // namespace orvella
