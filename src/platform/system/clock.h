#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvella {

// The calendar time the program sees, in seconds since 1970 (what the C runtime's time()
// gives a Windows program too). The random pick seeds from it and the calendar shows it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t Now() const = 0;
};

// The system clock, or a fixed time when one is given (ORVELLA_TIME, for runs that must
// repeat exactly).
class HostClock : public Clock {
public:
    explicit HostClock(std::optional<std::int64_t> fixed = std::nullopt) : fixed_(fixed) {}
    std::int64_t Now() const override;

private:
    std::optional<std::int64_t> fixed_;
};

// "1700000000" -> that number; anything that is not a whole number of seconds -> nullopt.
std::optional<std::int64_t> ParseUnixSeconds(std::string_view text);

}  // namespace orvella
