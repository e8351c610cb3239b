#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace orvella {

// The pictures of a slideshow, in the order given, and what was passed over and why.
struct SlideList {
    struct PassedOver {
        std::string path;
        enum class Reason { NotShown, Missing } reason;
    };
    std::vector<std::string> paths;
    std::vector<PassedOver> passed_over;
};

// GIF pictures and HTML pages (".gif", ".htm", ".html", without regard to case) are not
// part of a slideshow, nor are files that no longer exist.
SlideList BuildSlideList(const std::vector<std::string>& entries);

// The position in a slideshow: nothing shown before the first advance, then round and round
// the list, after the last comes the first and before the first the last. In a list of no
// pictures an advance gives 0 and a step back -1: the window then shows only its background.
class SlideCursor {
public:
    explicit SlideCursor(int count) : count_(count) {}

    int Advance();
    int Back();
    // -1 before the first advance.
    int index() const { return index_; }
    int count() const { return count_; }

private:
    int count_;
    int index_ = -1;
};

// The timer's interval for a slide time of `seconds`. The timers take a signed 32-bit count
// of milliseconds, which ends after 24.8 days; longer times are held at that longest interval,
// and a time below one second is taken as one second, so the interval is never zero or
// negative whatever a settings file holds.
std::chrono::milliseconds SlideInterval(std::int64_t seconds);
// The same for a time given in milliseconds.
std::chrono::milliseconds SlideIntervalFromMs(std::int64_t milliseconds);

}  // namespace orvella
