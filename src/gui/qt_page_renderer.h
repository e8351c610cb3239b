#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <string>

#include "platform/desktop/page_renderer.h"

namespace orvella {

// Lays the HTML page out at `size` with Qt's rich-text engine and draws it on white; a size
// that is not valid is 1024 x 768. Only the local file and pictures beside it are read.
// Safe in any thread: it makes its own document.
Result<QImage> RenderPagePicture(const std::string& page, QSize size);

// Lays an HTML page out at screen size with Qt's rich-text engine and hands the desktop a
// picture of it. Only the local file and pictures beside it are read: no network, no
// scripts.
class QtPageRenderer : public PageRenderer {
public:
    // `output` is where the picture goes; `screen` gives the size to lay out at.
    QtPageRenderer(std::string output, std::function<QSize()> screen);
    Result<std::string> PictureForPage(const std::string& page) const override;

private:
    std::string output_;
    std::function<QSize()> screen_;
};

}  // namespace orvella
