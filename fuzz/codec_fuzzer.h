#pragma once

#include <cstdint>
#include <cstdlib>

#include "codecs/decoders.h"
#include "codecs/resample.h"

namespace orvella::fuzzing {

// A small pixel limit keeps every input fast and far under the fuzzer's memory limit; the
// size checks themselves are the same at any limit.
inline constexpr std::uint64_t kFuzzMaxPixels = std::uint64_t{1} << 22;

// What every decoder promises: a failure says why; a success is a picture whose buffer
// matches its size, which can be resampled.
inline int CheckDecoder(Result<Bitmap> (*decode)(ByteSpan, const DecodeOptions&),
                        const std::uint8_t* data, std::size_t size,
                        const DecodeOptions& options = {.max_pixels = kFuzzMaxPixels}) {
    const Result<Bitmap> bitmap = decode(ByteSpan(data, size), options);
    if (!bitmap) {
        if (bitmap.message().empty())
            std::abort();
        return 0;
    }
    if (bitmap->width() <= 0 || bitmap->height() <= 0 ||
        bitmap->size_bytes() !=
            static_cast<std::size_t>(bitmap->width()) * bitmap->height() * bitmap->channels())
        std::abort();
    if (static_cast<std::uint64_t>(bitmap->width()) * bitmap->height() <= 4096) {
        const Result<Bitmap> resized =
            Resize(*bitmap, bitmap->width() / 2 + 1, bitmap->height() * 2 + 1);
        if (!resized || resized->width() != bitmap->width() / 2 + 1)
            std::abort();
    }
    return 0;
}

}  // namespace orvella::fuzzing
