#pragma once

#include <string>

#include "gui/page_thumbnail_worker.h"
#include "gui/picture_box.h"

namespace orvella {

// A picture box that shows an HTML page: laid out at HTMLPageWidth x HTMLPageHeight (the
// screen's size) and drawn scaled to the box. The rendering runs beside the window; the
// latest page asked for is the one shown.
class THTMLThumbnail : public TPictureBox {
    Q_OBJECT

public:
    explicit THTMLThumbnail(QWidget* parent = nullptr);

    int HTMLPageWidth() const { return page_width_; }
    int HTMLPageHeight() const { return page_height_; }
    void SetHTMLPageWidth(int width) { page_width_ = width; }
    void SetHTMLPageHeight(int height) { page_height_ = height; }

    // Starts rendering `path`; the picture changes when it is done. A failure keeps the
    // previous picture and is reported by RenderFailed.
    void HTMLFilePreview(const std::string& path);
    bool Rendering() const { return worker_.Busy(); }
    // No picture, and none from a rendering still under way.
    void Clear();

signals:
    void Rendered();
    void RenderFailed(const QString& message);

private:
    int page_width_ = 0;
    int page_height_ = 0;
    PageThumbnailWorker worker_;
};

}  // namespace orvella
