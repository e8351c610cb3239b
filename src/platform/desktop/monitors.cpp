#include "platform/desktop/monitors.h"

#include <algorithm>
#include <tuple>

namespace orvella {
namespace {

MonitorArea Join(const MonitorArea& a, const MonitorArea& b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return MonitorArea{left, top, right - left, bottom - top, a.primary || b.primary};
}

// Joins until no two overlap: a join can grow into a monitor neither part touched.
void JoinOverlapping(std::vector<MonitorArea>& monitors) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < monitors.size() && !joined; ++i) {
            for (std::size_t j = i + 1; j < monitors.size() && !joined; ++j) {
                if (MonitorsOverlap(monitors[i], monitors[j])) {
                    monitors[i] = Join(monitors[i], monitors[j]);
                    monitors.erase(monitors.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                }
            }
        }
    }
}

}  // namespace

bool MonitorsOverlap(const MonitorArea& a, const MonitorArea& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::vector<MonitorArea> ArrangeMonitors(std::vector<MonitorArea> found, int width, int height) {
    std::vector<MonitorArea> monitors;
    for (const MonitorArea& m : found) {
        if (m.width <= 0 || m.height <= 0)
            continue;
        const int left = std::max(m.x, 0);
        const int top = std::max(m.y, 0);
        const int right = std::min(m.x + m.width, width);
        const int bottom = std::min(m.y + m.height, height);
        if (right > left && bottom > top)
            monitors.push_back(MonitorArea{left, top, right - left, bottom - top, m.primary});
    }
    JoinOverlapping(monitors);
    if (monitors.empty() && width > 0 && height > 0)
        monitors.push_back(MonitorArea{0, 0, width, height, true});
    std::sort(monitors.begin(), monitors.end(), [](const MonitorArea& a, const MonitorArea& b) {
        return std::tie(a.x, a.y) < std::tie(b.x, b.y);
    });
    const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                      [](const MonitorArea& m) { return m.primary; });
    for (MonitorArea& m : monitors)
        m.primary = false;
    if (!monitors.empty())
        (primary != monitors.end() ? *primary : monitors.front()).primary = true;
    return monitors;
}

}  // namespace orvella
