#pragma once

#include <string>
#include <string_view>

namespace orvella {

// `text` as a JSON string literal with its quotes. Also a valid JavaScript literal, which
// is how the Plasma script receives file names.
std::string QuoteJson(std::string_view text);

}  // namespace orvella
