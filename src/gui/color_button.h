#pragma once

#include <QColor>
#include <QPushButton>

namespace orvella {

// A button that shows a colour; the colour dialog the owner opens sets it. The colour it
// shows when pressed and when focused are kept as the settings store them, and the owner
// sets all three together.
class TColorButton : public QPushButton {
    Q_OBJECT

public:
    explicit TColorButton(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    QColor ColorDown() const { return color_down_; }
    QColor ColorFocused() const { return color_focused_; }
    void SetColor(const QColor& color);
    void SetColorDown(const QColor& color) { color_down_ = color; }
    void SetColorFocused(const QColor& color) { color_focused_ = color; }
    // All three at once, as a confirmed colour dialog does.
    void SetAllColors(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::black;
    QColor color_down_ = Qt::black;
    QColor color_focused_ = Qt::black;
};

}  // namespace orvella
