#include "gui/thtmlthumbnail.h"

namespace orvella {

THTMLThumbnail::THTMLThumbnail(QWidget* parent)
    : TPictureBox(parent), worker_(this, [this](const Result<QImage>& thumbnail) {
          if (!thumbnail) {
              emit RenderFailed(QString::fromStdString(thumbnail.message()));
              return;
          }
          SetPicture(*thumbnail);
          emit Rendered();
      }) {}

void THTMLThumbnail::HTMLFilePreview(const std::string& path) {
    worker_.Request(path, QSize(page_width_, page_height_));
}

void THTMLThumbnail::Clear() {
    worker_.Cancel();
    SetPicture(QImage());
}

}  // namespace orvella
