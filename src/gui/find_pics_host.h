#pragma once

#include <QObject>
#include <QPointer>

#include "gui/tfindpics.h"

class QTimer;

namespace orvella {

// Keeps the disk search window: one at a time, brought forward when open again, and freed
// by TimerCloseFind about a second after it closed.
class FindPicsHost : public QObject {
    Q_OBJECT

public:
    explicit FindPicsHost(QObject* parent);
    ~FindPicsHost() override;

    // Brings the open window forward, or shows a new one of `parent` with `services`.
    void Open(TFindPicsServices services, QWidget& parent);
    // The categories were loaded, created, renamed or deleted: the open window hears of it.
    void CategoriesChanged();
    // The window has closed: it is freed when the timer fires.
    void Closed();
    void TimerCloseFindTimer();
    void Hide();
    TFindPics* window() const { return window_.data(); }
    QTimer* timer() const { return timer_; }

private:
    QPointer<TFindPics> window_;
    QTimer* timer_ = nullptr;
};

}  // namespace orvella
