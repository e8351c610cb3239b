#include "settings/placement_entries.h"

#include "platform/text.h"
#include "settings/integer_text.h"

namespace orvella {
namespace {

constexpr std::string_view kFlags = "Flags";
constexpr std::string_view kShowCmd = "ShowCmd";
constexpr std::string_view kPixelsPerInch = "PixelsPerInch";
constexpr std::string_view kMinMaxPos = "MinMaxPos";
constexpr std::string_view kNormPos = "NormPos";
constexpr std::string_view kVisible = "Visible";

std::optional<std::int32_t> FoundInteger(const FoundEntries& found, std::string_view name) {
    const std::string* text = found.Find(name);
    if (text == nullptr)
        return std::nullopt;
    return ParseInteger(TrimBlanks(*text));
}

std::optional<std::array<std::int32_t, 4>> FoundQuad(const FoundEntries& found,
                                                     std::string_view name) {
    const std::string* text = found.Find(name);
    if (text == nullptr)
        return std::nullopt;
    return ParseQuad(*text);
}

}  // namespace

const std::array<std::string_view, 6>& PlacementEntryNames() {
    static constexpr std::array<std::string_view, 6> kNames = {kFlags,     kShowCmd, kPixelsPerInch,
                                                               kMinMaxPos, kNormPos, kVisible};
    return kNames;
}

std::vector<FormEntry> PlacementEntries(const WindowPlacement& placement) {
    const PlacementRect& normal = placement.normal;
    return {
        {std::string(kFlags), FormatInteger(placement.flags)},
        {std::string(kShowCmd), FormatInteger(placement.show_cmd)},
        {std::string(kPixelsPerInch), FormatInteger(placement.pixels_per_inch)},
        {std::string(kMinMaxPos), FormatQuad({placement.min_position.x, placement.min_position.y,
                                              placement.max_position.x, placement.max_position.y})},
        {std::string(kNormPos), FormatQuad({normal.left, normal.top, normal.right, normal.bottom})},
        {std::string(kVisible), placement.visible ? "1" : "0"},
    };
}

bool ApplyPlacementEntries(const FoundEntries& found, WindowPlacement& placement) {
    bool applied = false;
    const auto apply_integer = [&](std::string_view name, std::int32_t& field) {
        if (const std::optional<std::int32_t> value = FoundInteger(found, name)) {
            field = *value;
            applied = true;
        }
    };
    apply_integer(kFlags, placement.flags);
    apply_integer(kShowCmd, placement.show_cmd);
    apply_integer(kPixelsPerInch, placement.pixels_per_inch);
    if (const auto quad = FoundQuad(found, kMinMaxPos)) {
        placement.min_position = {(*quad)[0], (*quad)[1]};
        placement.max_position = {(*quad)[2], (*quad)[3]};
        applied = true;
    }
    if (const auto quad = FoundQuad(found, kNormPos)) {
        placement.normal = {(*quad)[0], (*quad)[1], (*quad)[2], (*quad)[3]};
        applied = true;
    }
    if (const std::optional<std::int32_t> visible = FoundInteger(found, kVisible)) {
        placement.visible = *visible != 0;
        applied = true;
    }
    return applied;
}

std::string FormatQuad(const std::array<std::int32_t, 4>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text.push_back(',');
        text.append(FormatInteger(numbers[i]));
    }
    return text;
}

std::optional<std::array<std::int32_t, 4>> ParseQuad(std::string_view text) {
    std::array<std::int32_t, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = i + 1 < numbers.size() ? text.find(',') : text.size();
        if (comma == std::string_view::npos)
            return std::nullopt;
        std::string_view part = text.substr(0, comma);
        while (!part.empty() && (part.front() == ' ' || part.front() == '\t'))
            part.remove_prefix(1);
        if (i + 1 == numbers.size())
            part = TrimBlanks(part);
        const std::optional<std::int32_t> number = ParseInteger(part);
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
        text.remove_prefix(comma == text.size() ? comma : comma + 1);
    }
    return numbers;
}

}  // namespace orvella
