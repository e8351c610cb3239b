#include "gui/bitmap_image.h"

namespace orvella {

QImage ImageFromBitmap(const Bitmap& bitmap) {
    if (bitmap.empty())
        return {};
    const bool opaque = bitmap.format() == PixelFormat::Rgb;
    const QImage view(bitmap.data(), bitmap.width(), bitmap.height(),
                      static_cast<qsizetype>(bitmap.stride()),
                      opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    return view.convertToFormat(opaque ? QImage::Format_RGB32
                                       : QImage::Format_ARGB32_Premultiplied);
}

QImage ImageTakingBitmap(Bitmap bitmap) {
    if (bitmap.empty())
        return {};
    if (bitmap.format() != PixelFormat::Rgb)
        return ImageFromBitmap(bitmap);
    auto* owned = new Bitmap(std::move(bitmap));
    return QImage(
        owned->data(), owned->width(), owned->height(), static_cast<qsizetype>(owned->stride()),
        QImage::Format_RGB888, [](void* pixels) { delete static_cast<Bitmap*>(pixels); }, owned);
}

}  // namespace orvella
