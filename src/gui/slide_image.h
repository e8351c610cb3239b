#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace orvella {

// Draws one slide on a background colour: the picture into its rectangle, at device pixels
// when it was decoded at them.
class TSlideImage : public QWidget {
    Q_OBJECT

public:
    explicit TSlideImage(QWidget* parent = nullptr);

    void SetBackground(QColor colour);
    void SetSlide(QImage picture, QRect rect);
    const QImage& Picture() const { return picture_; }
    QRect PictureRect() const { return rect_; }

signals:
    // A paint has put the slide on screen.
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_ = Qt::black;
    QImage picture_;
    QRect rect_;
};

}  // namespace orvella
