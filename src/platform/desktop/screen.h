#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace orvella {

struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// "1920x1080" -> {1920, 1080}; sizes must be positive and at most 65535.
std::optional<ScreenSize> ParseScreenSize(std::string_view text);

// The size of the primary screen in pixels, as GetDeviceCaps gives it.
class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenSize Size() const = 0;
};

// ORVELLA_SCREEN when set, else what the windowing layer reports (the GUI hands in a query
// over Qt's primary screen), else 1024x768 for a run without any display.
class HostScreen : public Screen {
public:
    using Query = std::function<std::optional<ScreenSize>()>;
    HostScreen(std::optional<ScreenSize> fixed, Query query)
        : fixed_(fixed), query_(std::move(query)) {}
    ScreenSize Size() const override;

private:
    std::optional<ScreenSize> fixed_;
    Query query_;
};

}  // namespace orvella
