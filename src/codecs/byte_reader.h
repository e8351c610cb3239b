#pragma once

#include <cstddef>
#include <cstdint>

#include "codecs/decoders.h"

namespace orvella {

// Little-endian fields of a byte buffer, for the formats that come from Windows. Each read
// says whether the field lies inside the buffer, so a short file can never be read past.
class ByteReader {
public:
    explicit ByteReader(ByteSpan bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    // The caller has checked Has(offset, 1/2/4).
    std::uint8_t U8(std::size_t offset) const { return bytes_[offset]; }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint32_t U32(std::size_t offset) const {
        return static_cast<std::uint32_t>(bytes_[offset]) |
               (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    const std::uint8_t* At(std::size_t offset) const { return bytes_.data() + offset; }
    ByteSpan Sub(std::size_t offset, std::size_t count) const {
        return bytes_.subspan(offset, count);
    }

private:
    ByteSpan bytes_;
};

}  // namespace orvella
