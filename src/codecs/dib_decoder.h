#pragma once

#include <cstddef>
#include <optional>

#include "codecs/bitmap.h"
#include "codecs/decoders.h"

namespace orvella {

// Where a device-independent bitmap comes from: a .bmp file, or an entry of an icon file,
// whose header declares twice the height (the colour picture, then a 1-bit AND mask that
// marks the transparent pixels).
enum class DibSource { File, Icon };

// Decodes a device-independent bitmap: `dib` starts at its info header and runs to the end of
// the data that may belong to it. `pixel_offset` is where the pixels start, counted from the
// info header; without it they follow the header, bit masks and palette directly.
// Pixels that an RLE picture skips stay black. Icons come back as Rgba, files as Rgb unless
// their bit fields carry alpha.
Result<Bitmap> DecodeDib(ByteSpan dib, std::optional<std::size_t> pixel_offset, DibSource source,
                         const DecodeOptions& options);

}  // namespace orvella
