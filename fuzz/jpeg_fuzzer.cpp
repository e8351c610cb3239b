#include "codec_fuzzer.h"

// Decodes at the natural size and again at a reduced scale, whose path through libjpeg
// (scaled inverse DCTs) differs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvella::fuzzing::CheckDecoder(orvella::DecodeJpeg, data, size);
    return orvella::fuzzing::CheckDecoder(
        orvella::DecodeJpeg, data, size,
        {.min_width = 3, .min_height = 3, .max_pixels = orvella::fuzzing::kFuzzMaxPixels});
}
