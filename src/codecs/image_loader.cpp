#include "codecs/image_loader.h"

#include <algorithm>
#include <cerrno>

#include "codecs/codec_messages.h"
#include "codecs/resample.h"
#include "platform/files/files.h"
#include "platform/text.h"

namespace orvella {
namespace {

struct Extension {
    std::string_view text;
    ImageKind kind;
};

constexpr Extension kExtensions[] = {
    {".bmp", ImageKind::Bmp},  {".jpg", ImageKind::Jpeg}, {".jpeg", ImageKind::Jpeg},
    {".jpe", ImageKind::Jpeg}, {".png", ImageKind::Png},  {".gif", ImageKind::Gif},
    {".ico", ImageKind::Ico},
};

std::string_view ExtensionOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

Status WithPath(const std::string& path, const Status& error) {
    return Status::Error(path + ": " + error.message());
}

Result<ImageKind> KindOf(const std::string& path) {
    const std::optional<ImageKind> kind = ImageKindFromPath(path);
    if (!kind) {
        const std::string_view extension = ExtensionOf(path);
        return Status::Error(path + ": " +
                             CodecText(CodecMessage::UnknownKind,
                                       extension.empty() ? "ohne Endung" : std::string(extension)));
    }
    return *kind;
}

// A picture file: its kind, told by its name before anything is read, then its bytes.
struct PictureFile {
    ImageKind kind;
    std::string bytes;
};

Result<PictureFile> ReadPictureFile(const std::string& path) {
    Result<ImageKind> kind = KindOf(path);
    if (!kind)
        return kind.status();
    Result<std::optional<std::string>> content = ReadWholeFile(path);
    if (!content) {
        // The platform's text already starts with the path; ours follows it.
        std::string_view reason = content.message();
        if (reason.starts_with(path + ": "))
            reason.remove_prefix(path.size() + 2);
        return Status::Error(path + ": " + CodecText(CodecMessage::CannotRead, reason));
    }
    if (!content->has_value())
        return Status::Error(path + ": " +
                             CodecText(CodecMessage::CannotRead, SystemErrorText(ENOENT)));
    return PictureFile{*kind, std::move(**content)};
}

// Reads and decodes; the file's bytes are gone by the time the caller resamples.
Result<Bitmap> LoadWith(const std::string& path, const DecodeOptions& options) {
    Result<PictureFile> file = ReadPictureFile(path);
    if (!file)
        return file.status();
    Result<Bitmap> bitmap = DecodeImage(file->kind, AsBytes(file->bytes), options);
    if (!bitmap)
        return WithPath(path, bitmap.status());
    return bitmap;
}

DecodeOptions AtLeast(int width, int height) {
    DecodeOptions options;
    options.min_width = width;
    options.min_height = height;
    return options;
}

Result<Bitmap> StretchTo(Result<Bitmap> decoded, int width, int height) {
    if (!decoded || (decoded->width() == width && decoded->height() == height))
        return decoded;
    return Resize(*decoded, width, height);
}

// The natural size, and the picture decoded at no less than the size `choose` picks for it.
struct Decoded {
    Result<Bitmap> bitmap;
    NaturalSize natural;
    NaturalSize target;
};

Decoded DecodeToFit(ImageKind kind, ByteSpan bytes, const ChooseSize& choose) {
    if (kind == ImageKind::Jpeg) {
        const Result<NaturalSize> natural = ReadJpegSize(bytes);
        if (!natural)
            return {natural.status(), {}, {}};
        const NaturalSize target = choose(*natural);
        if (Status size = CheckPictureSize(target.width, target.height, kMaxPixels); !size)
            return {size, *natural, target};
        return {DecodeJpegResized(bytes, target.width, target.height), *natural, target};
    }
    Result<Bitmap> bitmap = DecodeImage(kind, bytes);
    if (!bitmap)
        return {std::move(bitmap), {}, {}};
    const NaturalSize natural{bitmap->width(), bitmap->height()};
    const NaturalSize target = choose(natural);
    if (Status size = CheckPictureSize(target.width, target.height, kMaxPixels); !size)
        return {size, natural, target};
    return {std::move(bitmap), natural, target};
}

}  // namespace

std::optional<ImageKind> ImageKindFromPath(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    for (const Extension& known : kExtensions)
        if (EqualsIgnoreCase(extension, known.text))
            return known.kind;
    return std::nullopt;
}

Result<Bitmap> DecodeImage(ImageKind kind, ByteSpan bytes, const DecodeOptions& options) {
    switch (kind) {
        case ImageKind::Bmp:
            return DecodeBmp(bytes, options);
        case ImageKind::Jpeg:
            return DecodeJpeg(bytes, options);
        case ImageKind::Png:
            return DecodePng(bytes, options);
        case ImageKind::Gif:
            return DecodeGif(bytes, options);
        case ImageKind::Ico:
            return DecodeIco(bytes, options);
    }
    return Status::Error(CodecText(CodecMessage::UnknownKind));
}

Result<Bitmap> LoadImage(const std::string& path, const DecodeOptions& options) {
    return LoadWith(path, options);
}

Result<Bitmap> DecodeImageForSize(ImageKind kind, ByteSpan bytes, int width, int height) {
    if (Status size = CheckPictureSize(width, height, kMaxPixels); !size)
        return size;
    return StretchTo(DecodeImage(kind, bytes, AtLeast(width, height)), width, height);
}

Result<Bitmap> LoadImageForSize(const std::string& path, int width, int height) {
    if (Status size = CheckPictureSize(width, height, kMaxPixels); !size)
        return size;
    return StretchTo(LoadWith(path, AtLeast(width, height)), width, height);
}

Result<FittedImage> LoadImageFitted(const std::string& path, const ChooseSize& choose) {
    Result<PictureFile> file = ReadPictureFile(path);
    if (!file)
        return file.status();
    Decoded decoded = DecodeToFit(file->kind, AsBytes(file->bytes), choose);
    file->bytes = std::string();  // the file's bytes go before the resampler needs the memory
    if (!decoded.bitmap)
        return WithPath(path, decoded.bitmap.status());
    Result<Bitmap> fitted =
        StretchTo(std::move(decoded.bitmap), decoded.target.width, decoded.target.height);
    if (!fitted)
        return fitted.status();
    return FittedImage{std::move(fitted).value(), decoded.natural};
}

Result<ImagePart> LoadImagePart(const std::string& path, const ChoosePart& choose) {
    Result<PictureFile> file = ReadPictureFile(path);
    if (!file)
        return file.status();
    const ByteSpan data = AsBytes(file->bytes);
    if (file->kind == ImageKind::Jpeg) {
        Result<NaturalSize> natural = ReadJpegSize(data);
        if (!natural)
            return WithPath(path, natural.status());
        Result<Bitmap> part = DecodeJpegRegion(data, choose(*natural));
        if (!part)
            return WithPath(path, part.status());
        return ImagePart{std::move(part).value(), *natural};
    }
    Result<Bitmap> whole = DecodeImage(file->kind, data);
    if (!whole)
        return WithPath(path, whole.status());
    file->bytes = std::string();
    const NaturalSize natural{whole->width(), whole->height()};
    const Rect part = choose(natural);
    if (part.x == 0 && part.y == 0 && part.width == natural.width && part.height == natural.height)
        return ImagePart{std::move(whole).value(), natural};
    Result<Bitmap> cut = Crop(*whole, part);
    if (!cut)
        return WithPath(path, cut.status());
    return ImagePart{std::move(cut).value(), natural};
}

Status LoadImagePartRows(const std::string& path, const ChoosePart& choose,
                         const RegionStart& start, const RegionRow& row) {
    Result<PictureFile> file = ReadPictureFile(path);
    if (!file)
        return file.status();
    const ByteSpan data = AsBytes(file->bytes);
    if (file->kind == ImageKind::Jpeg) {
        Result<NaturalSize> natural = ReadJpegSize(data);
        if (!natural)
            return WithPath(path, natural.status());
        if (Status decoded = DecodeJpegRegionRows(data, choose(*natural), start, row); !decoded)
            return WithPath(path, decoded);
        return Status::Ok();
    }
    Result<Bitmap> whole = DecodeImage(file->kind, data);
    if (!whole)
        return WithPath(path, whole.status());
    file->bytes = std::string();
    if (whole->format() == PixelFormat::Rgba)
        *whole = ConvertFormat(Flatten(*whole, Colour{0, 0, 0, 255}), PixelFormat::Rgb);
    const Rect part = choose(NaturalSize{whole->width(), whole->height()});
    if (part.width <= 0 || part.height <= 0 || part.x < 0 || part.y < 0 ||
        part.x + part.width > whole->width() || part.y + part.height > whole->height())
        return WithPath(path, Status::Error(CodecText(CodecMessage::NoArea)));
    if (Status started = start(part); !started)
        return started;
    for (int y = 0; y < part.height; ++y)
        row(y, whole->row(part.y + y) + static_cast<std::size_t>(part.x) * 3);
    return Status::Ok();
}

Result<std::vector<Bitmap>> LoadImageForSizes(const std::string& path,
                                              const std::vector<NaturalSize>& sizes) {
    std::vector<Bitmap> stretched;
    if (sizes.size() == 1) {
        Result<FittedImage> one = LoadImageFitted(path, [&](NaturalSize) { return sizes[0]; });
        if (!one)
            return one.status();
        stretched.push_back(std::move(one->bitmap));
        return stretched;
    }
    NaturalSize cover;
    for (const NaturalSize& size : sizes) {
        if (Status checked = CheckPictureSize(size.width, size.height, kMaxPixels); !checked)
            return checked;
        cover.width = std::max(cover.width, size.width);
        cover.height = std::max(cover.height, size.height);
    }
    if (sizes.empty())
        return stretched;
    Result<Bitmap> decoded = LoadWith(path, AtLeast(cover.width, cover.height));
    if (!decoded)
        return decoded.status();
    for (const NaturalSize& size : sizes) {
        Result<Bitmap> one = decoded->width() == size.width && decoded->height() == size.height
                                 ? Result<Bitmap>(*decoded)
                                 : Resize(*decoded, size.width, size.height);
        if (!one)
            return one.status();
        stretched.push_back(std::move(one).value());
    }
    return stretched;
}

}  // namespace orvella
