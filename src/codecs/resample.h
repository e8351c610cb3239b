#pragma once

#include "codecs/bitmap.h"
#include "platform/status.h"

namespace orvella {

// Stretches `source` to exactly width x height (each axis on its own, the aspect ratio is
// not kept) with a separable Lanczos-3 filter that widens with the reduction, so a
// downscale averages every source pixel instead of skipping some. Rgba is filtered with
// premultiplied alpha, so transparent pixels lend no colour to their neighbours. Works row
// by row: beyond source and result it holds only a few filtered rows.
Result<Bitmap> Resize(const Bitmap& source, int width, int height);

}  // namespace orvella
