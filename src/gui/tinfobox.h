#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

class QSoundEffect;

namespace Ui {
class TInfoBox;
}

namespace orvella {

// The information box: the program's picture with its version, shown as the splash at
// start-up (closed by its timer after four seconds) and by "Info..." (closed by a click).
class TInfoBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSplashMilliseconds = 4000;

    explicit TInfoBox(QWidget* parent = nullptr);
    ~TInfoBox() override;

    // Disabled until a caller enables it; the splash does.
    QTimer& Timer() { return timer_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TimerTimer();
    // Small labels and a re-centred box on displays of 120 dpi and more.
    void FitToLargeFonts(qreal dots_per_inch);

    std::unique_ptr<Ui::TInfoBox> ui_;
    QTimer timer_;
    QSoundEffect* sound_ = nullptr;  // made when first shown, where there is sound output
};

}  // namespace orvella
