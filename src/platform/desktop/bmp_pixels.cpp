#include <cerrno>
#include <optional>

#include "platform/desktop/picture_pixels.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::uint32_t Rgb(unsigned char red, unsigned char green, unsigned char blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (green << 8) | blue;
}

}  // namespace

Result<PicturePixels> BmpPictureLoader::Decode(const std::string& bytes) {
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 40 || bytes.compare(0, 2, "BM") != 0)
        return Status::Error("not a Windows bitmap");
    const std::uint32_t data_offset = Le32(bytes, 10);
    const std::uint32_t info_size = Le32(bytes, 14);
    if (info_size < 40 || kFileHeader + info_size > bytes.size())
        return Status::Error("damaged bitmap header");
    const auto width = static_cast<std::int32_t>(Le32(bytes, 18));
    const auto raw_height = static_cast<std::int32_t>(Le32(bytes, 22));
    const std::uint16_t bits = Le16(bytes, 28);
    const std::uint32_t compression = Le32(bytes, 30);
    const bool top_down = raw_height < 0;
    const std::int64_t height = top_down ? -static_cast<std::int64_t>(raw_height) : raw_height;
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return Status::Error("bitmap size out of range");
    // BI_BITFIELDS on 32 bits is the usual B, G, R, unused layout too.
    if (compression != 0 && !(compression == 3 && bits == 32))
        return Status::Error("compressed bitmaps are not supported here");
    if (bits != 8 && bits != 24 && bits != 32)
        return Status::Error("bitmaps of " + std::to_string(bits) + " bits are not supported here");

    std::vector<std::uint32_t> palette;
    if (bits == 8) {
        std::uint32_t colours = Le32(bytes, 46);
        if (colours == 0 || colours > 256)
            colours = 256;
        const std::size_t palette_at = kFileHeader + info_size;
        if (palette_at + colours * 4 > bytes.size())
            return Status::Error("damaged bitmap palette");
        for (std::uint32_t i = 0; i < colours; ++i) {
            const std::size_t at = palette_at + i * 4;
            palette.push_back(Rgb(bytes[at + 2], bytes[at + 1], bytes[at]));
        }
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (data_offset > bytes.size() || stride * height > bytes.size() - data_offset)
        return Status::Error("bitmap data shorter than its header says");

    PicturePixels pixels;
    pixels.width = width;
    pixels.height = static_cast<int>(height);
    pixels.rgb.resize(static_cast<std::size_t>(width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const std::size_t row = data_offset + stride * (top_down ? y : pixels.height - 1 - y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            if (bits == 8) {
                const auto index = static_cast<unsigned char>(bytes[row + x]);
                colour = index < palette.size() ? palette[index] : 0;
            } else {
                const std::size_t at = row + static_cast<std::size_t>(x) * (bits / 8);
                colour = Rgb(bytes[at + 2], bytes[at + 1], bytes[at]);
            }
            pixels.rgb[static_cast<std::size_t>(y) * width + x] = colour;
        }
    }
    return pixels;
}

Result<PicturePixels> BmpPictureLoader::Load(const std::string& path) const {
    Result<std::optional<std::string>> bytes = ReadWholeFile(path);
    if (!bytes)
        return bytes.status();
    if (!bytes->has_value())
        return Status::Error(path + ": " + SystemErrorText(ENOENT));
    Result<PicturePixels> pixels = Decode(**bytes);
    if (!pixels)
        return Status::Error(path + ": " + pixels.message());
    return pixels;
}

}  // namespace orvella
