#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <string>
#include <vector>

#include "gui/slide_prefetcher.h"
#include "tools/slide_list.h"

namespace orvella {

// Shows a list of pictures in turn: a timer and the arrow keys move round the list, and each
// picture, decoded ahead beside the window, is handed out as a slide to draw. A picture that
// cannot be loaded is passed over without a word; the one shown before stays.
class SlideshowEngine : public QObject {
    Q_OBJECT

public:
    struct Setup {
        std::vector<std::string> paths;
        std::chrono::milliseconds interval{10000};
        SlideScreen screen;
        bool prefetch = true;
    };
    explicit SlideshowEngine(Setup setup, QObject* parent = nullptr);

    // Shows the first picture at once, then starts the timer.
    void Start();
    // The next picture, after the last the first.
    void Advance();
    // The previous picture, before the first the last.
    void Back();

    int Index() const { return cursor_.index(); }
    int Count() const { return cursor_.count(); }
    const QTimer& Timer() const { return timer_; }
    // The positions whose pictures are decoded and waiting.
    std::vector<int> Held() const { return prefetcher_.Held(); }

signals:
    // The position moved: the counter shows index + 1 (also when the picture fails).
    void Moved(int index);
    // The picture of the current position is ready to draw.
    void SlideReady(const orvella::Slide& slide);

private:
    void ShowCurrent();

    SlideCursor cursor_;
    QTimer timer_;
    SlidePrefetcher prefetcher_;
};

}  // namespace orvella
