#include "wallpaper/calendar_images.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <future>
#include <optional>
#include <utility>

#include "codecs/image_loader.h"
#include "codecs/jpeg_encoder.h"
#include "codecs/resample.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

ScreenSize SizeOf(const Bitmap& bitmap) {
    return {bitmap.width(), bitmap.height()};
}

// The JPEG files have no alpha; what is transparent shows black, as on the desktop.
Bitmap Opaque(Bitmap bitmap) {
    if (bitmap.format() == PixelFormat::Rgb)
        return bitmap;
    return Flatten(bitmap, Colour{0, 0, 0, 255});
}

// A file that is already gone is no error: the next page simply has no background image.
Status RemoveIfPresent(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return Status::Ok();
    return Status::Error(path + ": " + SystemErrorText(errno));
}

Status SaveAsIs(const std::string& copy, const Bitmap& picture, const std::string& target) {
    if (ImageKindFromPath(copy) != ImageKind::Jpeg)
        return SaveJpeg(picture, target);
    // A JPEG keeps its compressed data: no second loss of quality.
    Result<std::optional<std::string>> bytes = ReadWholeFile(copy);
    if (!bytes)
        return bytes.status();
    if (!bytes->has_value())
        return Status::Error(copy + ": " + SystemErrorText(ENOENT));
    return ReplaceFileAtomically(target, **bytes);
}

}  // namespace

CentreCase CentreCaseOf(ScreenSize picture, ScreenSize screen) {
    // The margins the control leaves free: 20 across, 15 down.
    const Rect box = ControlBox(screen);
    const int margin_x = screen.width - box.width;
    const int margin_y = screen.height - box.height;
    if (box.width < picture.width && picture.width <= screen.width && box.height < picture.height &&
        picture.height <= screen.height)
        return CentreCase::NearScreenSize;
    if (picture.width > screen.width + margin_x && picture.height > screen.height + margin_y)
        return CentreCase::LargerThanScreen;
    return CentreCase::AsItIs;
}

Rect CentrePart(ScreenSize picture, ScreenSize screen) {
    // floor(d / 2) on the left and top; the right and bottom lose ceil(d / 2).
    return Rect{(picture.width - screen.width) / 2, (picture.height - screen.height) / 2,
                screen.width, screen.height};
}

TCalendarImages::TCalendarImages(std::string program_dir, const Screen& screen)
    : program_dir_(std::move(program_dir)), screen_(screen) {}

Status TCalendarImages::PrepareStretched(const std::string& copy) const {
    const ScreenSize screen = screen_.Size();
    // A large JPEG is decoded at a reduced scale that still covers the screen.
    Result<Bitmap> stretched = LoadImageForSize(copy, screen.width, screen.height);
    if (!stretched)
        return stretched.status();
    return SaveScreenAndControlBox(Opaque(std::move(stretched).value()));
}

Status TCalendarImages::PrepareTiled(const std::string& copy) const {
    const ScreenSize screen = screen_.Size();
    // Only the top-left screen's worth of the picture can show.
    Result<ImagePart> loaded = LoadImagePart(copy, [&screen](NaturalSize natural) {
        return Rect{0, 0, std::min(natural.width, screen.width),
                    std::min(natural.height, screen.height)};
    });
    if (!loaded)
        return loaded.status();
    Bitmap tile = Opaque(std::move(loaded->bitmap));
    if (SizeOf(tile) == screen)
        return SaveScreenAndControlBox(tile);
    Result<Bitmap> screen_image = Bitmap::Create(screen.width, screen.height, PixelFormat::Rgb);
    if (!screen_image)
        return screen_image.status();
    Tile(tile, *screen_image);
    tile = Bitmap();  // gone before the encoders need their memory
    return SaveScreenAndControlBox(*screen_image);
}

Status TCalendarImages::PrepareCentred(const std::string& copy) const {
    const ScreenSize screen = screen_.Size();
    // Of a picture larger than the screen only the control box of its centre part is used.
    Result<ImagePart> loaded = LoadImagePart(copy, [&screen](NaturalSize natural) {
        const ScreenSize size{natural.width, natural.height};
        if (CentreCaseOf(size, screen) != CentreCase::LargerThanScreen)
            return Rect{0, 0, natural.width, natural.height};
        const Rect part = CentrePart(size, screen);
        const Rect box = ControlBox(screen);
        return Rect{part.x + box.x, part.y + box.y, box.width, box.height};
    });
    if (!loaded)
        return loaded.status();
    const ScreenSize size{loaded->natural.width, loaded->natural.height};
    const Bitmap picture = Opaque(std::move(loaded->bitmap));
    switch (CentreCaseOf(size, screen)) {
        case CentreCase::NearScreenSize: {
            if (size == screen)
                return SaveScreenAndControlBox(picture);
            Result<Bitmap> stretched = Resize(picture, screen.width, screen.height);
            if (!stretched)
                return stretched.status();
            return SaveScreenAndControlBox(*stretched);
        }
        case CentreCase::LargerThanScreen:
            if (Status saved = SaveJpeg(picture, ControlImagePath()); !saved)
                return saved;
            return RemoveIfPresent(ScreenImagePath());
        case CentreCase::AsItIs:
            if (Status saved = SaveAsIs(copy, picture, ControlImagePath()); !saved)
                return saved;
            return RemoveIfPresent(ScreenImagePath());
    }
    return Status::Ok();
}

Status TCalendarImages::SaveScreenAndControlBox(const Bitmap& screen_image) const {
    const Rect box = ControlBox(SizeOf(screen_image));
    // The two encodings are independent and take most of the time, so they run side by side;
    // the files are still written one after the other, the screen image first, and a failed
    // screen image leaves the control's picture as it was.
    std::future<Result<std::string>> control_bytes = std::async(std::launch::async, [&] {
        return EncodeJpegPart(screen_image, box, kWallpaperJpegQuality);
    });
    const Result<std::string> screen_bytes = EncodeJpeg(screen_image, kWallpaperJpegQuality);
    const Result<std::string> control_encoded = control_bytes.get();
    if (Status saved = SaveEncodedJpeg(screen_bytes, ScreenImagePath()); !saved)
        return saved;
    return SaveEncodedJpeg(control_encoded, ControlImagePath());
}

}  // namespace orvella
