#include "gui/tinfobox.h"

#include <QMouseEvent>
#include <QScreen>
#include <QSoundEffect>

#include "gui/sound_output.h"
#include "ui_tinfobox.h"

namespace orvella {

TInfoBox::TInfoBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TInfoBox>()) {
    ui_->setupUi(this);
    setFixedSize(ui_->Image1->size());
    ui_->Image1->installEventFilter(this);
    timer_.setInterval(kSplashMilliseconds);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TInfoBox::TimerTimer);

    if (const QScreen* desktop = screen()) {
        move(desktop->availableGeometry().center() - rect().center());
        FitToLargeFonts(desktop->logicalDotsPerInch());
    }
}

TInfoBox::~TInfoBox() = default;

void TInfoBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (sound_ == nullptr) {
        // A machine without sound output just stays silent.
        if (!SoundServerReachable(ProcessEnvironment()))
            return;
        sound_ = new QSoundEffect(this);
        sound_->setSource(QUrl(QStringLiteral("qrc:/orvella/sounds/info.wav")));
    }
    sound_->play();  // asynchronous
}

bool TInfoBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->Image1 && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TInfoBox::TimerTimer() {
    timer_.stop();
    close();
}

void TInfoBox::FitToLargeFonts(qreal dots_per_inch) {
    if (dots_per_inch < 120)
        return;
    const QSize before = size();
    QFont small = ui_->LabelVersion->font();
    small.setPointSize(6);
    ui_->LabelVersion->setFont(small);
    ui_->LabelVersion->move(ui_->LabelVersion->x(), 9);
    adjustSize();
    const QSize change = size() - before;
    move(pos() - QPoint(change.width() / 2, change.height() / 2));
}

}  // namespace orvella
