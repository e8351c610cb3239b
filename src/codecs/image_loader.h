#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/bitmap.h"
#include "codecs/decoders.h"
#include "platform/status.h"

namespace orvella {

enum class ImageKind { Bmp, Jpeg, Png, Gif, Ico };

// The loader for a file name, by its extension compared without regard to case:
// ".bmp", ".jpg", ".jpeg", ".jpe", ".png", ".gif", ".ico". nullopt for any other.
std::optional<ImageKind> ImageKindFromPath(std::string_view path);

Result<Bitmap> DecodeImage(ImageKind kind, ByteSpan bytes, const DecodeOptions& options = {});

// Reads the file and decodes it with the loader its extension names. An unknown extension,
// an unreadable file and a bad picture are errors whose message names the path.
Result<Bitmap> LoadImage(const std::string& path, const DecodeOptions& options = {});

// The picture at exactly width x height, stretched without keeping the aspect ratio. A JPEG
// is decoded at the smallest reduced scale that still covers the target, then resampled.
Result<Bitmap> DecodeImageForSize(ImageKind kind, ByteSpan bytes, int width, int height);
Result<Bitmap> LoadImageForSize(const std::string& path, int width, int height);

// The picture stretched to each of `sizes`, in their order, from one reading and decoding of
// the file: a JPEG at the smallest reduced scale that covers them all (for one size, decoded
// row by row into the resampler as LoadImageFitted does).
Result<std::vector<Bitmap>> LoadImageForSizes(const std::string& path,
                                              const std::vector<NaturalSize>& sizes);

// A picture at the size `choose` picks from its natural size, with that natural size. A
// JPEG's size is read from its header, so it is decoded only once, at a reduced scale.
struct FittedImage {
    Bitmap bitmap;
    NaturalSize natural;
};
using ChooseSize = std::function<NaturalSize(NaturalSize natural)>;
Result<FittedImage> LoadImageFitted(const std::string& path, const ChooseSize& choose);

// The part of a picture that `choose` picks from its natural size (a rectangle inside it),
// with that natural size. A JPEG decodes only that part (its rows and the iMCU columns that
// hold it); other formats are decoded whole and cut.
struct ImagePart {
    Bitmap bitmap;
    NaturalSize natural;
};
using ChoosePart = std::function<Rect(NaturalSize natural)>;
Result<ImagePart> LoadImagePart(const std::string& path, const ChoosePart& choose);

// LoadImagePart for a caller that keeps the part's pixels in a form of its own, so no
// bitmap of the part is held beside them: `start` is told the part `choose` picked, then
// `row` gets its rows top to bottom as RGB (see DecodeJpegRegionRows). A JPEG is decoded
// row by row; other formats are decoded whole, transparent parts laid over black.
Status LoadImagePartRows(const std::string& path, const ChoosePart& choose,
                         const RegionStart& start, const RegionRow& row);

}  // namespace orvella
