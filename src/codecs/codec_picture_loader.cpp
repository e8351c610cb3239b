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
    PicturePixels pixels;
    const Status drawn = DrawPart(path, most, part, [&](int width, int height) {
        pixels = PicturePixels{
            width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
        return CanvasView{pixels.rgb.data(), width, height, static_cast<std::size_t>(width)};
    });
    if (!drawn)
        return drawn;
    return pixels;
}

Status CodecPictureLoader::DrawPart(const std::string& path, ScreenSize most, PicturePart part,
                                    const Placement& place) const {
    // The centre part is cut as a desktop centres the picture: half the difference each side,
    // the odd pixel on the right and at the bottom. Only that part is decoded, straight into
    // the desktop's words.
    const bool centre = part == PicturePart::Centre;
    CanvasView target;
    return LoadImagePartRows(
        path,
        [&](NaturalSize natural) {
            const int width = Kept(natural.width, most.width);
            const int height = Kept(natural.height, most.height);
            return Rect{centre ? (natural.width - width) / 2 : 0,
                        centre ? (natural.height - height) / 2 : 0, width, height};
        },
        [&](const Rect& kept) {
            target = place(kept.width, kept.height);
            return Status::Ok();
        },
        [&](int y, const std::uint8_t* rgb) {
            std::uint32_t* out = target.Row(y);
            for (int x = 0; x < target.width; ++x, rgb += 3)
                out[x] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
        });
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
