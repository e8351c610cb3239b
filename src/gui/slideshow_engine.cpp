#include "gui/slideshow_engine.h"

namespace orvella {

SlideshowEngine::SlideshowEngine(Setup setup, QObject* parent)
    : QObject(parent),
      cursor_(static_cast<int>(setup.paths.size())),
      prefetcher_(
          this, std::move(setup.paths), setup.screen,
          [this](int index, const Result<Slide>& slide) {
              if (slide && index == cursor_.index())
                  emit SlideReady(*slide);
          },
          setup.prefetch) {
    timer_.setInterval(setup.interval);
    connect(&timer_, &QTimer::timeout, this, &SlideshowEngine::Advance);
}

void SlideshowEngine::Start() {
    Advance();
    timer_.start();
}

void SlideshowEngine::Advance() {
    cursor_.Advance();
    ShowCurrent();
}

void SlideshowEngine::Back() {
    cursor_.Back();
    ShowCurrent();
}

void SlideshowEngine::ShowCurrent() {
    // An empty list has no picture to load: only the counter moves.
    if (cursor_.index() >= 0 && cursor_.index() < cursor_.count())
        prefetcher_.Want(cursor_.index());
    emit Moved(cursor_.index());
}

}  // namespace orvella
