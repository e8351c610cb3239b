#pragma once

#include <string>
#include <string_view>

#include "platform/desktop/desktop_colour.h"
#include "platform/desktop/screen.h"
#include "platform/status.h"

namespace orvella {

// The class identifier of the desktop control that draws the calendar and the starfield;
// both pages create it from their object element.
inline constexpr std::string_view kDesktopControlClassId = "03026F81-A191-49E4-A4D8-DA8E191230F8";

// The two page templates, lines joined by CR LF with the last line ended too. Tags have the
// form "<#name>".
const std::string& LabelWallHTML();
const std::string& LabelStarFieldHTML();

// Red, green and blue of a Windows colour value, two upper-case hexadecimal digits each.
std::string ColorToHtml(ColorRef colour);

// Fills the templates and writes the calendar and starfield pages. The tags are looked up at
// every page, so the screen size and desktop colour are those of the moment of writing.
class TWallpaperPages {
public:
    // `program_dir` ends with a separator: the background image "Orvella.jpg" lies there.
    TWallpaperPages(std::string program_dir, const Screen& screen, const DesktopColours& colours);

    // The template with every tag replaced by its value; unknown tags are left as they are.
    std::string ProducePage(std::string_view page_template) const;

    // Produces the page and replaces the file at `path` with it atomically.
    Status WritePage(std::string_view page_template, const std::string& path) const;

private:
    std::string TagValue(std::string_view name) const;

    std::string program_dir_;
    const Screen& screen_;
    const DesktopColours& colours_;
};

}  // namespace orvella
