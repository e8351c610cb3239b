#include "settings/screen_saver_arguments.h"

#include <charconv>
#include <optional>

namespace orvella {
namespace {

constexpr const char* kUsage = "usage: orvella-screensaver [-root | -window-id ID]";

std::optional<std::uint64_t> ParseWindowId(std::string_view text) {
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id, base);
    if (text.empty() || error != std::errc() || stop != end || id == 0)
        return std::nullopt;
    return id;
}

Status Usage(const std::string& problem) {
    return Status::Error(problem + "\n" + kUsage);
}

}  // namespace

Result<ScreenSaverTarget> ParseScreenSaverArguments(const std::vector<std::string>& arguments) {
    ScreenSaverTarget target;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        // xscreensaver's modes take their options with one dash or two.
        std::string_view argument = arguments[i];
        if (argument.starts_with("--"))
            argument.remove_prefix(1);
        if (argument == "-root") {
            target.kind = ScreenSaverTarget::Kind::Root;
        } else if (argument == "-window-id") {
            if (i + 1 == arguments.size())
                return Usage("-window-id needs the window's id");
            const std::optional<std::uint64_t> id = ParseWindowId(arguments[++i]);
            if (!id)
                return Usage(arguments[i] + " is not a window id");
            target.kind = ScreenSaverTarget::Kind::Window;
            target.window_id = *id;
        } else {
            return Usage("unknown argument " + arguments[i]);
        }
    }
    return target;
}

}  // namespace orvella
