#include "gui/no_preview_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace orvella {

QImage DrawNoPreviewPicture() {
    constexpr int kWidth = 252;
    constexpr int kHeight = 191;
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(QColor(236, 236, 236));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // A picture frame with a mountain and a sun in it.
    const QRectF frame(76, 50, 100, 76);
    painter.setPen(QPen(QColor(150, 150, 150), 3));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(frame, 4, 4);
    QPainterPath mountain;
    mountain.moveTo(frame.left() + 8, frame.bottom() - 8);
    mountain.lineTo(frame.left() + 40, frame.top() + 30);
    mountain.lineTo(frame.left() + 60, frame.top() + 50);
    mountain.lineTo(frame.left() + 72, frame.top() + 40);
    mountain.lineTo(frame.right() - 8, frame.bottom() - 8);
    mountain.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(190, 190, 190));
    painter.drawPath(mountain);
    painter.drawEllipse(QPointF(frame.right() - 22, frame.top() + 18), 8, 8);

    // Struck through: there is nothing to show.
    painter.setPen(QPen(QColor(1, 72, 172), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(frame.left() - 10, frame.bottom() + 10),
                     QPointF(frame.right() + 10, frame.top() - 10));
    return picture;
}

}  // namespace orvella
