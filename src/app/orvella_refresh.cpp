// Asks the running Orvella to re-read one category, for scripts:
//   orvella-refresh CATEGORY [PICTURE...]
// adds the pictures to the category's section of "ovlimg.dat", names the category in
// "RefreshCategorie", and sends the refresh message to the window published as "WHandle".
#include <cstdio>
#include <string>
#include <vector>

#include "library/category_additions.h"
#include "platform/profile/profile_document.h"
#include "settings/settings_places.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "orvella-refresh: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Fail("usage: orvella-refresh CATEGORY [PICTURE...]");
    }
    const std::optional<std::int32_t> category = orvella::ParseProfileInteger(argv[1]);
    if (!category || *category < 1)
        return Fail(std::string("not a category number: ") + argv[1]);
    const std::vector<std::string> pictures(argv + 2, argv + argc);

    const orvella::ProcessEnvironment environment;
    const orvella::ProgramPaths paths =
        orvella::ResolvePaths(environment, orvella::ExecutablePath());
    const std::optional<std::uint32_t> window = orvella::PublishedWindow(paths.registry_file);
    if (!window)
        return Fail("Orvella has not published its window (no WHandle)");
    const orvella::Result<int> added = orvella::AddPicturesToStoreFile(
        orvella::CategoryFilePath(paths.program_dir), *category, pictures);
    if (!added)
        return Fail(added.message());
    const orvella::Status sent = orvella::SendRefresh(environment, *window);
    return sent ? 0 : Fail(sent.message());
}
