#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace orvella {

// A site of the "Im Internet" menu: its caption and address.
struct WebLink {
    std::string_view caption;
    std::string_view address;
};

// Sources of free wallpapers: five sites of photographs, then, after a separator, three of
// pictures of space.
inline constexpr std::array<WebLink, 8> kWebLinks{{
    {"Unsplash", "https://unsplash.com/wallpapers"},
    {"Pexels", "https://www.pexels.com/search/wallpaper/"},
    {"Pixabay", "https://pixabay.com/images/search/wallpaper/"},
    {"Wikimedia Commons", "https://commons.wikimedia.org/wiki/Commons:Featured_pictures"},
    {"Openverse", "https://openverse.org/search/image?q=wallpaper"},
    {"NASA Image and Video Library", "https://images.nasa.gov/"},
    {"ESA/Hubble", "https://esahubble.org/wallpapers/"},
    {"ESA/Webb", "https://esawebb.org/wallpapers/"},
}};
inline constexpr std::size_t kWebLinksFirstGroup = 5;

// The project's page, in German or English.
std::string HomepageAddress(bool german);

// "help/liesmich.htm" (German) or "help/readme.htm" beside the program: in the executable's
// folder when the pages are there (a build), else in the installed copy's share/orvella/.
// When neither has it, the path beside the program, so the failure names where it belongs.
std::string HelpPagePath(std::string_view executable_path, bool german);

}  // namespace orvella
