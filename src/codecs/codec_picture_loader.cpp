#include "codecs/codec_picture_loader.h"

#include <algorithm>

#include "codecs/compose.h"
#include "codecs/image_loader.h"
#include "codecs/jpeg_encoder.h"

namespace orvella {
namespace {

// The part of `loaded` from (left, top) that fills `target`, in the desktop's 0x00RRGGBB
// words, transparent parts laid over black.
void WriteDesktopPixels(const Bitmap& loaded, int left, int top, const CanvasView& target) {
    const Bitmap flattened =
        loaded.format() == PixelFormat::Rgba ? Flatten(loaded, Colour{0, 0, 0, 255}) : Bitmap();
    const Bitmap& picture = loaded.format() == PixelFormat::Rgba ? flattened : loaded;
    const int channels = picture.channels();
    for (int y = 0; y < target.height; ++y) {
        const std::uint8_t* p = picture.row(top + y) + static_cast<std::size_t>(left) * channels;
        std::uint32_t* out = target.Row(y);
        for (int x = 0; x < target.width; ++x, p += channels)
            out[x] = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    }
}

// How much of `natural` pixels a side keeps at most; `most` of 0 or less keeps all.
int Kept(int natural, int most) {
    return most > 0 ? std::min(natural, most) : natural;
}

}  // namespace

Result<PicturePixels> CodecPictureLoader::Load(const std::string& path, ScreenSize most,
                                               PicturePart part) const {
    Result<Bitmap> loaded = LoadImage(path);
    if (!loaded)
        return loaded.status();
    PicturePixels pixels;
    pixels.width = Kept(loaded->width(), most.width);
    pixels.height = Kept(loaded->height(), most.height);
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    // The centre part is cut as a desktop centres the picture: half the difference each side,
    // the odd pixel on the right and at the bottom.
    const bool centre = part == PicturePart::Centre;
    WriteDesktopPixels(*loaded, centre ? (loaded->width() - pixels.width) / 2 : 0,
                       centre ? (loaded->height() - pixels.height) / 2 : 0,
                       CanvasView{pixels.rgb.data(), pixels.width, pixels.height,
                                  static_cast<std::size_t>(pixels.width)});
    return pixels;
}

Status CodecPictureLoader::DrawStretched(const std::string& path,
                                         const std::vector<CanvasView>& targets) const {
    std::vector<NaturalSize> sizes;
    for (const CanvasView& target : targets) {
        const NaturalSize size{target.width, target.height};
        if (std::none_of(sizes.begin(), sizes.end(), [&](const NaturalSize& known) {
                return known.width == size.width && known.height == size.height;
            }))
            sizes.push_back(size);
    }
    Result<std::vector<Bitmap>> stretched = LoadImageForSizes(path, sizes);
    if (!stretched)
        return stretched.status();
    for (Bitmap& bitmap : *stretched) {
        for (const CanvasView& target : targets)
            if (target.width == bitmap.width() && target.height == bitmap.height())
                WriteDesktopPixels(bitmap, 0, 0, target);
        bitmap = Bitmap();  // each size's picture goes once it is drawn
    }
    return Status::Ok();
}

Status CodecPictureLoader::SaveJpeg(const PicturePixels& picture, const std::string& path) const {
    Result<Bitmap> bitmap = Bitmap::Create(picture.width, picture.height, PixelFormat::Rgb);
    if (!bitmap)
        return bitmap.status();
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* out = bitmap->row(y);
        for (int x = 0; x < picture.width; ++x, out += 3) {
            const std::uint32_t rgb = picture.At(x, y);
            out[0] = static_cast<std::uint8_t>(rgb >> 16);
            out[1] = static_cast<std::uint8_t>(rgb >> 8);
            out[2] = static_cast<std::uint8_t>(rgb);
        }
    }
    return orvella::SaveJpeg(*bitmap, path);
}

}  // namespace orvella
