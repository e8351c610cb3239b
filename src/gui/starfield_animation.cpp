#include "gui/starfield_animation.h"

#include "gui/desktop_control_painter.h"
#include "platform/desktop/live_wallpaper.h"

namespace orvella {
namespace {

// An RGB32 picture's words are 0xFFRRGGBB; ours carry no alpha.
void CopyPixels(const QImage& image, PicturePixels& pixels) {
    pixels.width = image.width();
    pixels.height = image.height();
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::uint32_t* to = pixels.rgb.data() + static_cast<std::size_t>(y) * pixels.width;
        for (int x = 0; x < pixels.width; ++x)
            to[x] = from[x] & 0xFFFFFF;
    }
}

}  // namespace

TStarfieldAnimation::TStarfieldAnimation(LiveWallpaper* live, StillOnShow still_on_show,
                                         QObject* parent)
    : QObject(parent), live_(live), still_on_show_(std::move(still_on_show)) {
    frame_timer_.setInterval(kFrameMs);
    connect(&frame_timer_, &QTimer::timeout, this, &TStarfieldAnimation::FrameTimerTimer);
}

void TStarfieldAnimation::PageDrawn(const DesktopControlScene& scene) {
    const bool moving = scene.page.kind == DesktopControlPageKind::Starfield &&
                        scene.settings.starfield_type == "Advanced";
    if (!moving || live_ == nullptr) {
        frame_timer_.stop();
        return;
    }
    if (canvas_.size() != scene.screen)
        canvas_ = QImage(scene.screen, QImage::Format_RGB32);
    box_ = ControlBoxOf(scene.page);
    frame_ = 0;
    frame_timer_.start();
}

void TStarfieldAnimation::FrameTimerTimer() {
    if (live_ == nullptr || (still_on_show_ && !still_on_show_())) {
        frame_timer_.stop();
        return;
    }
    ++frame_;
    PaintStarfieldInto(canvas_, box_, frame_);
    CopyPixels(canvas_, pixels_);
    if (!live_->ShowFrame(pixels_))
        frame_timer_.stop();  // another wallpaper, or the desktop is gone: a still field stays
}

}  // namespace orvella
