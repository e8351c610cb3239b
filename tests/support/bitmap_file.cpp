#include "support/bitmap_file.h"

namespace orvella::testing {
namespace {

void PutLe32(std::string& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutLe16(std::string& bytes, std::uint16_t value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

}  // namespace

std::string MakeBitmap24(int width, int height,
                         const std::function<std::uint32_t(int, int)>& colour_at) {
    const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * 24 + 31) / 32) * 4;
    const std::uint32_t data_size = stride * static_cast<std::uint32_t>(height);
    std::string bytes = "BM";
    PutLe32(bytes, 54 + data_size);
    PutLe32(bytes, 0);
    PutLe32(bytes, 54);
    PutLe32(bytes, 40);
    PutLe32(bytes, static_cast<std::uint32_t>(width));
    PutLe32(bytes, static_cast<std::uint32_t>(height));
    PutLe16(bytes, 1);
    PutLe16(bytes, 24);
    for (int i = 0; i < 6; ++i)
        PutLe32(bytes, 0);
    for (int row = height - 1; row >= 0; --row) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = colour_at(x, row);
            bytes += static_cast<char>(rgb & 0xFF);
            bytes += static_cast<char>((rgb >> 8) & 0xFF);
            bytes += static_cast<char>((rgb >> 16) & 0xFF);
            written += 3;
        }
        bytes.append(stride - written, '\0');
    }
    return bytes;
}

}  // namespace orvella::testing
