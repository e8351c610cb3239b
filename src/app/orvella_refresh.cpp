// Asks the running Orvella to re-read one category, as the file manager's action does:
//   orvella-refresh CATEGORY [PICTURE...]
// adds the pictures to the category's section of "ovlimg.dat", names the category in
// "RefreshCategorie", and sends the refresh message to the window published as "WHandle".
#include <cstdio>
#include <string>
#include <vector>

#include "platform/profile/profile_document.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "platform/system/environment.h"
#include "platform/system/window_message.h"
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
    orvella::RegistryFile registry(paths.registry_file);
    const std::optional<orvella::RegistryKey> settings = orvella::RegistryKey::Open(
        registry, orvella::RegistryRoot::CurrentUser, std::string(orvella::kSettingsKey), false);
    const std::optional<std::uint32_t> handle =
        settings ? settings->ReadDword("WHandle") : std::nullopt;
    if (!handle)
        return Fail("Orvella has not published its window (no WHandle)");

    orvella::ProfileFile store(orvella::CategoryFilePath(paths.program_dir));
    bool known = false;
    const orvella::Status written = store.Update([&](orvella::ProfileDocument& document) {
        const std::vector<std::string> keys = document.KeyNames("Categories");
        if (*category >= static_cast<std::int32_t>(keys.size()))
            return;
        known = true;
        for (const std::string& picture : pictures) {
            document.SetValue(keys[static_cast<std::size_t>(*category)] + ".Wallpapers", picture,
                              "");
        }
        document.SetValue("Custom", "RefreshCategorie", std::to_string(*category));
    });
    if (!written)
        return Fail(written.message());
    if (!known)
        return Fail("the library has no category " + std::to_string(*category));

    const orvella::Status sent = orvella::SendWindowMessage(
        orvella::WindowSocketPath(environment, *handle), orvella::kWmRefreshCategory);
    return sent ? 0 : Fail(sent.message());
}
