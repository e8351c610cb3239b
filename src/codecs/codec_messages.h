#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvella {

// Every text the picture codecs show, in one place, so that a language module can replace
// them. The built-in texts are German, like the rest of the program. Details that come from
// a library (libjpeg, libpng, giflib) are inserted as the library wrote them.
enum class CodecMessage {
    Damaged,          // the file breaks its format; detail says where
    Truncated,        // the file ends before the picture does; detail names the format
    Unsupported,      // a valid file with a feature we do not read; detail names it
    UnknownKind,      // no loader for the file name's extension; detail is the extension
    NoArea,           // width or height 0
    TooLarge,         // detail is SizeText
    CannotRead,       // detail is the path and the system's error text
    CannotWrite,      // detail is the path and the system's error text
    EncodeFailed,     // detail is the library's message
    InvalidArgument,  // a caller's mistake, such as a quality of 0; detail says which
};

// The text of `message`, with `detail` after a colon where there is one.
std::string CodecText(CodecMessage message, std::string_view detail = {});

// The detail of TooLarge: the declared size and the limit.
std::string SizeText(std::int64_t width, std::int64_t height, std::uint64_t max_pixels);

}  // namespace orvella
