#include "gui/color_button.h"

#include <QPainter>

namespace orvella {

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent) {
    setMinimumSize(48, 22);
    setMaximumWidth(64);
}

void TColorButton::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TColorButton::SetAllColors(const QColor& color) {
    color_down_ = color;
    color_focused_ = color;
    SetColor(color);
}

void TColorButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QColor shown = isDown() ? color_down_ : hasFocus() ? color_focused_ : color_;
    painter.fillRect(rect().adjusted(5, 5, -5, -5), shown);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(5, 5, -6, -6));
}

}  // namespace orvella
