#include "gui/find_pics_host.h"

#include <QTimer>

#include "gui/tfindpics.h"

namespace orvella {
namespace {

constexpr int kCloseFindDelayMs = 1000;

}  // namespace

FindPicsHost::FindPicsHost(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("TimerCloseFind"));
    timer_->setInterval(kCloseFindDelayMs);
    connect(timer_, &QTimer::timeout, this, &FindPicsHost::TimerCloseFindTimer);
}

FindPicsHost::~FindPicsHost() {
    // Its engine stops while the categories it reads still exist.
    delete window_.data();
}

void FindPicsHost::Open(TFindPicsServices services, QWidget& parent) {
    if (window_ && window_->isVisible()) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
        return;
    }
    // A window closed a moment ago and not yet freed goes now; a new search starts afresh.
    if (window_) {
        timer_->stop();
        window_->deleteLater();
        window_ = nullptr;
    }
    services.closed = [this] { Closed(); };
    window_ = new TFindPics(std::move(services), &parent);
    window_->show();
}

void FindPicsHost::CategoriesChanged() {
    if (window_)
        window_->CategoriesChanged();
}

void FindPicsHost::Closed() {
    timer_->start();
}

void FindPicsHost::TimerCloseFindTimer() {
    timer_->stop();
    // Later, not now: the window may be in one of its own handlers (a message box open).
    if (window_)
        window_->deleteLater();
    window_ = nullptr;
}

void FindPicsHost::Hide() {
    if (window_)
        window_->hide();
}

}  // namespace orvella
