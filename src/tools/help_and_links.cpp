#include "tools/help_and_links.h"

#include "platform/files/files.h"

namespace orvella {
std::string HomepageAddress(bool german) {
    // The project's address is set once, in the top-level CMakeLists.txt; it ends with '/'.
    return std::string(ORVELLA_HOMEPAGE_URL) + (german ? "deutsch/" : "english/");
}

std::string HelpPagePath(std::string_view executable_path, bool german) {
    const std::string page = german ? "help/liesmich.htm" : "help/readme.htm";
    const std::string beside = ParentFolder(executable_path) + page;
    const std::string installed = ParentFolder(executable_path) + "../share/orvella/" + page;
    return !FileExists(beside) && FileExists(installed) ? installed : beside;
}

}  // namespace orvella
