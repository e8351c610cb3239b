#include "tools/slide_list.h"

#include <algorithm>
#include <limits>

#include "platform/files/file_extension.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

constexpr std::int64_t kShortestMs = 1000;
constexpr std::int64_t kLongestMs = std::numeric_limits<std::int32_t>::max();

bool ShownInSlideshow(const std::string& path) {
    const std::string extension = LoweredExtension(path);
    return extension != ".gif" && extension != ".htm" && extension != ".html";
}

}  // namespace

SlideList BuildSlideList(const std::vector<std::string>& entries) {
    SlideList list;
    for (const std::string& entry : entries) {
        if (!ShownInSlideshow(entry))
            list.passed_over.push_back({entry, SlideList::PassedOver::Reason::NotShown});
        else if (!FileExists(entry))
            list.passed_over.push_back({entry, SlideList::PassedOver::Reason::Missing});
        else
            list.paths.push_back(entry);
    }
    return list;
}

int SlideCursor::Advance() {
    ++index_;
    if (index_ >= count_)
        index_ = 0;
    else if (index_ < 0)
        index_ = count_ - 1;
    return index_;
}

int SlideCursor::Back() {
    index_ -= 2;
    return Advance();
}

std::chrono::milliseconds SlideInterval(std::int64_t seconds) {
    // Held in a range where the product cannot overflow; beyond it, it would be clamped anyway.
    constexpr std::int64_t kLongestSeconds = kLongestMs / 1000 + 1;
    return SlideIntervalFromMs(std::clamp<std::int64_t>(seconds, 0, kLongestSeconds) * 1000);
}

std::chrono::milliseconds SlideIntervalFromMs(std::int64_t milliseconds) {
    return std::chrono::milliseconds(std::clamp(milliseconds, kShortestMs, kLongestMs));
}

}  // namespace orvella
