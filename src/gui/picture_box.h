#pragma once

#include <QImage>
#include <QWidget>

namespace orvella {

// A picture drawn stretched over the whole widget, the aspect ratio not kept, with a
// smoothing filter.
class TPictureBox : public QWidget {
    Q_OBJECT

public:
    explicit TPictureBox(QWidget* parent = nullptr);

    void SetPicture(QImage picture);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace orvella
