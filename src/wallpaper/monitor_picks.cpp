#include "wallpaper/monitor_picks.h"

#include <algorithm>

#include "platform/files/file_extension.h"
#include "wallpaper/runtime_random.h"

namespace orvella {
namespace {

bool Holds(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The plain pictures of `pictures`, each once, in their order.
std::vector<std::string> DistinctPlain(const std::vector<std::string>& pictures) {
    std::vector<std::string> plain;
    for (const std::string& picture : pictures) {
        if (!IsPagePath(picture) && !Holds(plain, picture))
            plain.push_back(picture);
    }
    return plain;
}

}  // namespace

std::vector<std::string> PickMonitorPictures(const std::vector<std::string>& pictures,
                                             std::int64_t seconds, int count) {
    if (pictures.empty())
        return {};
    RuntimeRandom random;
    random.Seed(static_cast<std::uint32_t>(seconds));
    const auto draw = [&random](std::size_t n) {
        return static_cast<std::size_t>(random.Next() % static_cast<std::uint32_t>(n));
    };
    std::vector<std::string> picked = {pictures[draw(pictures.size())]};
    const std::vector<std::string> plain = DistinctPlain(pictures);
    if (plain.empty())
        return picked;
    std::vector<std::string> unused;
    for (const std::string& picture : plain) {
        if (picture != picked.front())
            unused.push_back(picture);
    }
    for (int monitor = 1; monitor < count; ++monitor) {
        if (unused.empty())
            unused = plain;
        const auto chosen = unused.begin() + static_cast<std::ptrdiff_t>(draw(unused.size()));
        picked.push_back(*chosen);
        unused.erase(chosen);
    }
    return picked;
}

}  // namespace orvella
