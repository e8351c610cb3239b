#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/system/window_message.h"

// The socket's input: what reads as a message is digits (and one line end) whose value
// reads back from its own decimal text; everything else is dropped.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::uint32_t> message = orvella::ParseWindowMessage(text);
    if (!message)
        return 0;
    std::string_view digits = text;
    if (digits.ends_with('\n'))
        digits.remove_suffix(digits.ends_with("\r\n") ? 2 : 1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        std::abort();
    if (std::strtoull(std::string(digits).c_str(), nullptr, 10) != *message ||
        orvella::ParseWindowMessage(std::to_string(*message)) != message)
        std::abort();
    return 0;
}
