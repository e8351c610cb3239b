#include "gui/picture_box.h"

#include <QPainter>

namespace orvella {

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureBox::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void TPictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
}

}  // namespace orvella
