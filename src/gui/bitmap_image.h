#pragma once

#include <QImage>

#include "codecs/bitmap.h"

namespace orvella {

// The codecs' picture as Qt draws it fastest: opaque pictures as RGB32, pictures with
// transparency as premultiplied ARGB32.
QImage ImageFromBitmap(const Bitmap& bitmap);

// The picture without a copy: the image takes the bitmap's pixels over (opaque ones as
// RGB888, three bytes a pixel, where RGB32 takes four) and frees them with itself. For
// pictures held a while, where memory counts more than a conversion at each drawing.
QImage ImageTakingBitmap(Bitmap bitmap);

}  // namespace orvella
