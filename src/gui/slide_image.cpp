#include "gui/slide_image.h"

#include <QPaintEvent>
#include <QPainter>

namespace orvella {

TSlideImage::TSlideImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSlideImage::SetBackground(QColor colour) {
    background_ = colour;
    update();
}

void TSlideImage::SetSlide(QImage picture, QRect rect) {
    picture_ = std::move(picture);
    rect_ = rect;
    update();
}

void TSlideImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The background only where no opaque picture covers it, so the picture is not drawn
    // twice over.
    const bool covered = !picture_.isNull() && !picture_.hasAlphaChannel();
    const QRegion background =
        covered ? QRegion(event->rect()) - QRegion(rect_) : QRegion(event->rect());
    for (const QRect& part : background)
        painter.fillRect(part, background_);
    if (!picture_.isNull()) {
        // Drawn pixel for pixel when it has the rectangle's device pixels; a picture shown at
        // its natural size on a high-density screen is smoothed up.
        const bool exact = picture_.size() == rect_.size() * devicePixelRatioF();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
        painter.drawImage(rect_, picture_);
    }
    emit Painted();
}

}  // namespace orvella
