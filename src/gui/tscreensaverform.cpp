#include "gui/tscreensaverform.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "gui/colours.h"
#include "gui/slideshow_engine.h"
#include "ui_tscreensaverform.h"

namespace orvella {

TScreenSaverForm::TScreenSaverForm(std::vector<std::string> pictures, Settings settings,
                                   QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TScreenSaverForm>()),
      ends_on_input_(settings.ends_on_input) {
    ui_->setupUi(this);
    ui_->Image->SetBackground(ToQColor(settings.colour));
    engine_ = std::make_unique<SlideshowEngine>(SlideshowEngine::Setup{
        .paths = std::move(pictures),
        .interval = settings.interval,
        .screen = settings.screen,
    });
    connect(engine_.get(), &SlideshowEngine::SlideReady, this, [this](const Slide& slide) {
        ui_->Image->SetSlide(slide.image, slide.rect);
        emit SlideShown();
    });
    engine_->Start();
}

TScreenSaverForm::~TScreenSaverForm() = default;

const SlideshowEngine& TScreenSaverForm::Engine() const {
    return *engine_;
}

void TScreenSaverForm::End() {
    if (!ends_on_input_)
        return;
    emit Ended();
    close();
}

void TScreenSaverForm::keyPressEvent(QKeyEvent* /*event*/) {
    End();
}

void TScreenSaverForm::mousePressEvent(QMouseEvent* /*event*/) {
    End();
}

void TScreenSaverForm::mouseMoveEvent(QMouseEvent* event) {
    // The first position seen is where the mouse rests; the window may open under it.
    const QPoint at = event->globalPosition().toPoint();
    if (!first_mouse_)
        first_mouse_ = at;
    else if ((at - *first_mouse_).manhattanLength() > kMouseSlack)
        End();
}

void TScreenSaverForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ui_->Image->setGeometry(rect());
}

}  // namespace orvella
