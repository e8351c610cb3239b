#include "gui/tslideshowform.h"

#include <QKeyEvent>
#include <QScreen>

#include "gui/colours.h"
#include "gui/file_path_text.h"
#include "gui/slideshow_engine.h"
#include "tools/slide_list.h"
#include "ui_tslideshowform.h"

namespace orvella {
namespace {

// Distances of the labels from the left and the bottom edge, in pixels.
constexpr int kCounterRightOfNumber = 39;
constexpr int kCounterRightOfSlash = 58;
constexpr int kCounterLeftOfTotal = 65;
constexpr int kCounterAboveBottom = 41;
constexpr int kFileNameLeft = 27;
constexpr int kFileNameAboveBottom = 17;

}  // namespace

TSlideShowForm::TSlideShowForm(const std::vector<std::string>& entries, Settings settings,
                               QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TSlideShowForm>()) {
    ui_->setupUi(this);
    FormCreate(entries, settings);
}

TSlideShowForm::~TSlideShowForm() = default;

const SlideshowEngine& TSlideShowForm::Engine() const {
    return *engine_;
}

void TSlideShowForm::FormCreate(const std::vector<std::string>& entries, const Settings& settings) {
    std::vector<std::string> list = BuildSlideList(entries).paths;
    const int count = static_cast<int>(list.size());
    const QColor back = ToQColor(settings.back_colour);
    ui_->Image->SetBackground(back);
    // The labels' style sheets set their font; their background joins them the same way.
    setStyleSheet(QString("QLabel { background-color: %1; }").arg(back.name()));
    engine_ = std::make_unique<SlideshowEngine>(SlideshowEngine::Setup{
        .paths = std::move(list),
        .interval = SlideInterval(settings.interval_seconds),
        .screen = ShownOn(),
        .prefetch = settings.prefetch,
    });
    connect(engine_.get(), &SlideshowEngine::SlideReady, this, &TSlideShowForm::ShowPicture);
    connect(engine_.get(), &SlideshowEngine::Moved, this, &TSlideShowForm::ShowPosition);
    engine_->Start();
    ui_->LabelTotalPage->setText(QString::number(count));
    PlaceLabels();
}

SlideScreen TSlideShowForm::ShownOn() const {
    const QScreen* shown_on = screen();
    return {shown_on->size(), shown_on->devicePixelRatio()};
}

int TSlideShowForm::Exec() {
    setWindowState(Qt::WindowFullScreen);
    return exec();
}

void TSlideShowForm::SlideshowTimerTimer() {
    engine_->Advance();
}

void TSlideShowForm::FormKeyDown(int key) {
    if (key == Qt::Key_Escape)
        close();
    else if (key == Qt::Key_Right)
        engine_->Advance();
    else if (key == Qt::Key_Left)
        engine_->Back();
}

void TSlideShowForm::ShowPicture(const Slide& slide) {
    ui_->Image->SetSlide(slide.image, slide.rect);
    ui_->LabelPicFilename->setText(PathDisplayText(slide.path));
    PlaceLabels();
}

void TSlideShowForm::ShowPosition(int index) {
    ui_->LabelCurrPage->setText(QString::number(index + 1));
    PlaceLabels();
}

void TSlideShowForm::PlaceLabels() {
    const int bottom = height();
    for (QLabel* label :
         {ui_->LabelCurrPage, ui_->Label2, ui_->LabelTotalPage, ui_->LabelPicFilename})
        label->adjustSize();
    ui_->LabelCurrPage->move(kCounterRightOfNumber - ui_->LabelCurrPage->width(),
                             bottom - kCounterAboveBottom);
    ui_->Label2->move(kCounterRightOfSlash - ui_->Label2->width(), bottom - kCounterAboveBottom);
    ui_->LabelTotalPage->move(kCounterLeftOfTotal, bottom - kCounterAboveBottom);
    ui_->LabelPicFilename->move(kFileNameLeft, bottom - kFileNameAboveBottom);
}

void TSlideShowForm::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key());
}

void TSlideShowForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ui_->Image->setGeometry(rect());
    PlaceLabels();
}

}  // namespace orvella
