#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/file_mask.h"
#include "tools/file_matches.h"

// The masks of the disk search and of its exclude list, over any bytes: the input is a
// mask, a NUL and a name. Besides not failing, a mask without wildcards matches its own
// name, and "*" followed by a name's extension matches the name, whatever bytes stand
// before its ".".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view mask = input.substr(0, split);
    const std::string_view name =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
    orvella::MaskMatches(mask, name);
    orvella::FileMatches(name, mask);

    const bool plain_name = !name.empty() && name.find_first_of("*?/\\:.") == std::string::npos &&
                            name.find('\0') == std::string::npos;
    if (plain_name) {
        if (!orvella::MaskMatches(name, name) ||
            !orvella::FileMatches("/d/" + std::string(name), "/d/" + std::string(name)))
            std::abort();
        const std::string with_extension = std::string(name) + ".png";
        if (!orvella::MaskMatches("*.png", with_extension) ||
            !orvella::FileMatches("/d/" + with_extension, "*.png"))
            std::abort();
    }
    return 0;
}
