#pragma once

#include <string>

#include "codecs/bitmap.h"
#include "codecs/compose.h"
#include "platform/status.h"

namespace orvella {

// The quality of every JPEG the program writes itself.
inline constexpr int kWallpaperJpegQuality = 92;

// Encodes `bitmap` as a baseline JPEG with three YCbCr components at `quality` (1 to 100).
// The alpha of an Rgba bitmap is ignored: flatten it first to choose what shows through.
Result<std::string> EncodeJpeg(const Bitmap& bitmap, int quality = kWallpaperJpegQuality);
// The same for the part `part` of `bitmap`, which must lie inside it, without a copy.
Result<std::string> EncodeJpegPart(const Bitmap& bitmap, Rect part,
                                   int quality = kWallpaperJpegQuality);

// Encodes as EncodeJpeg and replaces `path` atomically: a reader sees the old file or the
// whole new one, never a part, and a failed save leaves the old file as it was.
Status SaveJpeg(const Bitmap& bitmap, const std::string& path, int quality = kWallpaperJpegQuality);

// The second half of SaveJpeg, for bytes encoded elsewhere (another thread): a failed
// encoding is returned as it is, the bytes are written as SaveJpeg writes them.
Status SaveEncodedJpeg(const Result<std::string>& encoded, const std::string& path);

}  // namespace orvella
