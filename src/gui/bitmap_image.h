#pragma once

#include <QImage>

#include "codecs/bitmap.h"

namespace orvella {

// The codecs' picture as Qt draws it fastest: opaque pictures as RGB32, pictures with
// transparency as premultiplied ARGB32.
QImage ImageFromBitmap(const Bitmap& bitmap);

}  // namespace orvella
