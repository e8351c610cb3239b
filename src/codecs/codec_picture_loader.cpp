#include "codecs/codec_picture_loader.h"

#include "codecs/compose.h"
#include "codecs/image_loader.h"

namespace orvella {
namespace {

// Transparent parts over black, in the desktop's 0x00RRGGBB words.
PicturePixels DesktopPixels(const Bitmap& loaded) {
    const Bitmap flattened =
        loaded.format() == PixelFormat::Rgba ? Flatten(loaded, Colour{0, 0, 0, 255}) : Bitmap();
    const Bitmap& picture = loaded.format() == PixelFormat::Rgba ? flattened : loaded;
    PicturePixels pixels;
    pixels.width = picture.width();
    pixels.height = picture.height();
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
    const int channels = picture.channels();
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = picture.row(y);
        std::uint32_t* out = pixels.rgb.data() + static_cast<std::size_t>(y) * pixels.width;
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * channels;
            out[x] = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
        }
    }
    return pixels;
}

}  // namespace

Result<PicturePixels> CodecPictureLoader::Load(const std::string& path) const {
    Result<Bitmap> loaded = LoadImage(path);
    if (!loaded)
        return loaded.status();
    return DesktopPixels(*loaded);
}

Result<std::vector<PicturePixels>> CodecPictureLoader::LoadStretched(
    const std::string& path, const std::vector<ScreenSize>& sizes) const {
    std::vector<NaturalSize> targets;
    for (const ScreenSize& size : sizes)
        targets.push_back(NaturalSize{size.width, size.height});
    Result<std::vector<Bitmap>> loaded = LoadImageForSizes(path, targets);
    if (!loaded)
        return loaded.status();
    std::vector<PicturePixels> pictures;
    for (Bitmap& bitmap : *loaded) {
        pictures.push_back(DesktopPixels(bitmap));
        bitmap = Bitmap();  // each decoded picture goes once it is converted
    }
    return pictures;
}

}  // namespace orvella
