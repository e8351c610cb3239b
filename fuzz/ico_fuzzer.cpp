#include "codec_fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return orvella::fuzzing::CheckDecoder(orvella::DecodeIco, data, size);
}
