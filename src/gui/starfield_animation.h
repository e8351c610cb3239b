#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>

#include "platform/desktop/picture_pixels.h"
#include "platform/status.h"

namespace orvella {

class LiveWallpaper;
struct DesktopControlScene;

// "Bewegt" on a desktop that takes frames: while the program runs and the moving starfield
// is on show, a new frame every half second. Two frames a second keep the machine idle and
// are enough for stars that drift slowly closer.
class TStarfieldAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 500;
    // Whether the moving starfield is still what the desktop shows; asked before each frame.
    using StillOnShow = std::function<bool()>;

    // `live` may be null: the desktop shows stills and nothing moves.
    TStarfieldAnimation(LiveWallpaper* live, StillOnShow still_on_show, QObject* parent = nullptr);

    // After each picture of our page: the moving starfield starts from its first frame, any
    // other page stops it.
    void PageDrawn(const DesktopControlScene& scene);

    bool Running() const { return frame_timer_.isActive(); }
    int Frame() const { return frame_; }
    QTimer& FrameTimer() { return frame_timer_; }
    void FrameTimerTimer();

private:
    LiveWallpaper* live_;
    StillOnShow still_on_show_;
    QTimer frame_timer_;
    QRect box_;
    // Kept from frame to frame: two screens of pixels are not to be allocated twice a second.
    QImage canvas_;
    PicturePixels pixels_;
    int frame_ = 0;
};

}  // namespace orvella
