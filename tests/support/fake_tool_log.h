#pragma once

#include <string>
#include <vector>

#include "platform/desktop/backends/json_text.h"

namespace orvella::testing {

// The fake tool's log line for one run with `arguments`.
inline std::string LoggedRun(const std::vector<std::string>& arguments) {
    std::string line = "[";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        line += (i > 0 ? "," : "") + QuoteJson(arguments[i]);
    return line + "]\n";
}

}  // namespace orvella::testing
