#include "settings/screen_saver.h"

#include "platform/desktop/desktop.h"
#include "platform/files/file_extension.h"
#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry.h"

namespace orvella {
namespace {

constexpr const char* kScreenSaverValue = "SCRNSAVE.EXE";

struct NamedColour {
    ColorRef value;
    const char* name;
};

constexpr NamedColour kBasicColours[] = {
    {0x000000, "clBlack"},  {0x000080, "clMaroon"},  {0x008000, "clGreen"}, {0x008080, "clOlive"},
    {0x800000, "clNavy"},   {0x800080, "clPurple"},  {0x808000, "clTeal"},  {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"}, {0x0000FF, "clRed"},     {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},   {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"},  {0xFFFFFF, "clWhite"},
};

// The screen saver shows neither animations nor pages.
bool ShownByScreenSaver(const std::string& picture) {
    const std::string_view extension = ExtensionOf(picture);
    return extension != ".gif" && extension != ".htm" && extension != ".html";
}

}  // namespace

std::string ScreenSaverColourText(ColorRef colour) {
    for (const NamedColour& named : kBasicColours) {
        if (named.value == colour)
            return named.name;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "$";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += kHex[(colour >> shift) & 0xF];
    return text;
}

std::string ShortPathName(const std::string& path) {
    if (path.empty() || !(FileExists(path) || DirectoryExists(path)))
        return {};
    return path;
}

ScreenSaverSetting::ScreenSaverSetting(Registry& registry, Desktop& desktop, WindowsVersion version,
                                       std::string windows_dir)
    : registry_(registry),
      desktop_(desktop),
      version_(version),
      windows_dir_(std::move(windows_dir)) {}

std::string ScreenSaverSetting::GetScreenSaverPath() const {
    if (version_.IsWin9x()) {
        const ProfileFile system_ini(SystemIni());
        return system_ini.ReadString("boot", kScreenSaverValue, "");
    }
    std::optional<RegistryKey> key =
        RegistryKey::Open(registry_, RegistryRoot::CurrentUser, std::string(kDesktopKey), false);
    return key ? key->ReadString(kScreenSaverValue).value_or("") : std::string();
}

void ScreenSaverSetting::SetScreenSaverPath(const std::string& path) {
    const std::string short_form = ShortPathName(path);
    if (version_.IsWin9x()) {
        (void)ProfileFile(SystemIni()).WriteString("boot", kScreenSaverValue, short_form);
    } else if (std::optional<RegistryKey> key = RegistryKey::Open(
                   registry_, RegistryRoot::CurrentUser, std::string(kDesktopKey), false)) {
        (void)key->WriteString(kScreenSaverValue, short_form);
    }
    (void)desktop_.SetScreenSaveActive(true);
}

Status ScreenSaverSetting::WriteScreenSaverSettings(const std::vector<std::string>& pictures,
                                                    int seconds, ColorRef colour) const {
    return ProfileFile(SettingsFile()).Update([&](ProfileDocument& document) {
        document.EraseSection("WImages");
        document.SetValue("ScreenSaver", "Time", std::to_string(std::int64_t{seconds} * 1000));
        document.SetValue("ScreenSaver", "Color", ScreenSaverColourText(colour));
        for (const std::string& picture : pictures) {
            if (FileExists(picture) && ShownByScreenSaver(picture))
                document.SetValue("WImages", picture, "");
        }
    });
}

Status InstallScreenSaver(ScreenSaverSetting& setting, ScreenSaverState& state,
                          const std::vector<std::string>& pictures, int seconds, ColorRef colour) {
    state.old_scr_saver = setting.GetScreenSaverPath();
    Status written = setting.WriteScreenSaverSettings(pictures, seconds, colour);
    setting.SetScreenSaverPath(setting.OwnScreenSaver());
    state.installed = true;
    return written;
}

void UninstallScreenSaver(ScreenSaverSetting& setting, ScreenSaverState& state) {
    if (setting.GetScreenSaverPath() == ShortPathName(setting.OwnScreenSaver()))
        setting.SetScreenSaverPath(state.old_scr_saver);
    state.installed = false;
}

}  // namespace orvella
