#include "gui/starfield_animation.h"

#include <cstring>

#include "gui/desktop_control_painter.h"
#include "platform/live_wallpaper.h"

namespace orvella {
namespace {

PicturePixels ToPixels(const QImage& image) {
    PicturePixels pixels;
    pixels.width = image.width();
    pixels.height = image.height();
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    const std::size_t row = static_cast<std::size_t>(pixels.width) * 4;
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(pixels.rgb.data() + static_cast<std::size_t>(y) * pixels.width,
                    image.constScanLine(y), row);
    for (std::uint32_t& pixel : pixels.rgb)
        pixel &= 0xFFFFFF;
    return pixels;
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
    screen_ = scene.screen;
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
    const QImage image = PaintStarfield(screen_, box_, frame_);
    if (!live_->ShowFrame(ToPixels(image.convertToFormat(QImage::Format_RGB32))))
        frame_timer_.stop();  // another wallpaper, or the desktop is gone: a still field stays
}

}  // namespace orvella
