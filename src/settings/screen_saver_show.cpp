#include "settings/screen_saver_show.h"

#include <charconv>
#include <optional>

#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "settings/screen_saver.h"

namespace orvella {
namespace {

constexpr const char* kSection = "ScreenSaver";
constexpr const char* kPictures = "WImages";

std::optional<std::int64_t> ParseMilliseconds(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

void ReadTime(const ProfileDocument& file, ScreenSaverShow& show) {
    const std::string text = file.Value(kSection, "Time").value_or("");
    const std::optional<std::int64_t> time = ParseMilliseconds(text);
    if (!time) {
        show.problems.push_back("Time=" + text + " is not a number of milliseconds; using " +
                                std::to_string(ScreenSaverShow::kDefaultTimeMs));
    } else if (*time < ScreenSaverShow::kShortestTimeMs) {
        show.time_ms = ScreenSaverShow::kShortestTimeMs;
        show.problems.push_back("Time=" + text + " is below " +
                                std::to_string(ScreenSaverShow::kShortestTimeMs) + "; using " +
                                std::to_string(ScreenSaverShow::kShortestTimeMs));
    } else {
        show.time_ms = *time;
    }
}

void ReadColour(const ProfileDocument& file, ScreenSaverShow& show) {
    const std::optional<std::string> text = file.Value(kSection, "Color");
    const std::optional<ColorRef> colour =
        text ? ParseScreenSaverColour(*text) : std::optional<ColorRef>();
    if (colour)
        show.colour = *colour;
    else
        show.problems.push_back("Color=" + text.value_or("") + " is no colour; using " +
                                ScreenSaverColourText(show.colour));
}

}  // namespace

ScreenSaverShow ReadScreenSaverShow(const std::string& settings_file) {
    ScreenSaverShow show;
    const ProfileFile file(settings_file);
    Result<ProfileDocument> document = file.Load();
    if (!document) {
        show.problems.push_back(document.message());
        document = ProfileDocument();
    } else if (!FileExists(settings_file)) {
        show.problems.push_back(settings_file + " does not exist; showing the background only");
    }
    ReadTime(*document, show);
    ReadColour(*document, show);
    if (!document->HasSection(kPictures))
        show.problems.push_back(settings_file + " has no [WImages]; no pictures to show");
    show.pictures = document->KeyNames(kPictures);
    return show;
}

}  // namespace orvella
