#pragma once

#include <QImage>

namespace orvella {

// The placeholder the preview shows for GIF pictures and for files that cannot be loaded:
// a grey card with a crossed-out picture frame, 252 x 191 (the preview's design size).
QImage DrawNoPreviewPicture();

}  // namespace orvella
