#include "settings/screen_saver.h"

#include <gtest/gtest.h>

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/profile/profile_document.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

class ScreenSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EnsureDirectory(dir_.File("windows")));
        ASSERT_TRUE(EnsureDirectory(dir_.File("pics")));
        dir_.Write("windows/system.ini", "[boot]\r\nshell=Explorer.exe\r\n");
    }

    ScreenSaverSetting Setting(const char* version) {
        return ScreenSaverSetting(registry_, desktop_, *WindowsVersion::FromName(version),
                                  dir_.File("windows"));
    }
    std::optional<std::string> DesktopValue(std::string_view name) {
        std::optional<RegistryKey> key = RegistryKey::Open(registry_, RegistryRoot::CurrentUser,
                                                           std::string(kDesktopKey), false);
        return key ? key->ReadString(name) : std::nullopt;
    }
    ProfileDocument Ini(const std::string& name) const {
        return ProfileDocument::Parse(dir_.Read("windows/" + name));
    }
    std::string Own() const { return dir_.File("windows/Orvella.scr"); }

    TempDir dir_;
    RegistryFile registry_{dir_.File("registry.reg")};
    RegistryDesktopColours colours_{registry_, nullptr};
    HostDesktop desktop_{registry_, colours_, {}};
};

TEST(ScreenSaverColourTextTest, BasicColoursByNameOthersAsDollarHex) {
    EXPECT_EQ(ScreenSaverColourText(0), "clBlack");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(255, 128, 0)), "$000080FF");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(0, 0, 128)), "clNavy");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(128, 0, 0)), "clMaroon");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(0, 255, 255)), "clAqua");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(192, 192, 192)), "clSilver");
    EXPECT_EQ(ScreenSaverColourText(0xFFFFFF), "clWhite");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(1, 0, 0)), "$00000001");
    EXPECT_EQ(ScreenSaverColourText(MakeColorRef(0xAB, 0xCD, 0xEF)), "$00EFCDAB");
}

TEST_F(ScreenSaverTest, SettingsNameOnlyExistingPicturesTheScreenSaverShows) {
    for (const char* name : {"a.jpg", "b.GIF", "c.gif", "d.htm", "f.html", "g.HTM"})
        dir_.Write(std::string("pics/") + name, "x");
    dir_.Write("windows/Ovlscr.ini",
               "[ScreenSaver]\r\nTime=1\r\nEffect=fade\r\n[WImages]\r\n/old/picture.jpg=\r\n");
    const std::vector<std::string> pictures = {dir_.File("pics/a.jpg"), dir_.File("pics/b.GIF"),
                                               dir_.File("pics/c.gif"), dir_.File("pics/d.htm"),
                                               dir_.File("pics/e.bmp"), dir_.File("pics/f.html"),
                                               dir_.File("pics/g.HTM")};
    ASSERT_TRUE(Setting("xp").WriteScreenSaverSettings(pictures, 30, MakeColorRef(255, 128, 0)));

    const ProfileDocument ini = Ini("Ovlscr.ini");
    EXPECT_EQ(ini.Value("ScreenSaver", "Time"), "30000");
    EXPECT_EQ(ini.Value("ScreenSaver", "Color"), "$000080FF");
    EXPECT_EQ(ini.Value("ScreenSaver", "Effect"), "fade");  // not ours: kept
    // The extension counts as spelled: ".GIF" and ".HTM" are not the excluded ones.
    EXPECT_EQ(ini.KeyNames("WImages"),
              (std::vector<std::string>{dir_.File("pics/a.jpg"), dir_.File("pics/b.GIF"),
                                        dir_.File("pics/g.HTM")}));
    EXPECT_EQ(ini.Value("WImages", dir_.File("pics/a.jpg")), "");
}

TEST_F(ScreenSaverTest, TheNtFamilyKeepsItInTheRegistryAndNinetyFiveInSystemIni) {
    dir_.Write("windows/ssstars.scr", "x");
    const std::string stars = dir_.File("windows/ssstars.scr");

    ScreenSaverSetting nt = Setting("2000");
    EXPECT_EQ(nt.GetScreenSaverPath(), "");
    nt.SetScreenSaverPath(stars);
    EXPECT_EQ(nt.GetScreenSaverPath(), stars);
    EXPECT_EQ(DesktopValue("ScreenSaveActive"), "1");
    // A file that is not there has no short form: no screen saver.
    nt.SetScreenSaverPath(dir_.File("windows/missing.scr"));
    EXPECT_EQ(DesktopValue("SCRNSAVE.EXE"), "");
    EXPECT_FALSE(Ini("system.ini").HasKey("boot", "SCRNSAVE.EXE"));

    ScreenSaverSetting me = Setting("me");
    EXPECT_EQ(me.GetScreenSaverPath(), "");
    me.SetScreenSaverPath(stars);
    EXPECT_EQ(Ini("system.ini").Value("boot", "SCRNSAVE.EXE"), stars);
    EXPECT_EQ(Ini("system.ini").Value("boot", "shell"), "Explorer.exe");
    EXPECT_EQ(me.GetScreenSaverPath(), stars);
    EXPECT_EQ(Setting("98").GetScreenSaverPath(), stars);
    EXPECT_EQ(nt.GetScreenSaverPath(), "");  // the other family's place is untouched

    // Without "Control Panel\Desktop" nothing is read or written there, yet screen saving
    // is switched on.
    ASSERT_TRUE(registry_.DeleteKey(RegistryRoot::CurrentUser, kDesktopKey));
    EXPECT_EQ(nt.GetScreenSaverPath(), "");
    nt.SetScreenSaverPath(stars);
    EXPECT_EQ(DesktopValue("SCRNSAVE.EXE"), std::nullopt);
    EXPECT_EQ(DesktopValue("ScreenSaveActive"), "1");
}

TEST_F(ScreenSaverTest, InstallRemembersTheOldOneAndUninstallGivesItBackOnlyIfStillOurs) {
    dir_.Write("windows/Orvella.scr", "x");
    dir_.Write("windows/ssstars.scr", "x");
    dir_.Write("pics/a.jpg", "x");
    const std::string stars = dir_.File("windows/ssstars.scr");
    ScreenSaverSetting setting = Setting("xp");
    setting.SetScreenSaverPath(stars);

    ScreenSaverState state;
    ASSERT_TRUE(InstallScreenSaver(setting, state, {dir_.File("pics/a.jpg")}, 12, 0));
    EXPECT_EQ(state, (ScreenSaverState{true, stars}));
    EXPECT_EQ(setting.GetScreenSaverPath(), Own());
    EXPECT_EQ(Ini("Ovlscr.ini").Value("ScreenSaver", "Time"), "12000");
    EXPECT_EQ(Ini("Ovlscr.ini").Value("ScreenSaver", "Color"), "clBlack");

    UninstallScreenSaver(setting, state);
    EXPECT_EQ(state, (ScreenSaverState{false, stars}));
    EXPECT_EQ(setting.GetScreenSaverPath(), stars);

    // Each install takes whatever is in force at that moment.
    setting.SetScreenSaverPath(Own());
    ASSERT_TRUE(InstallScreenSaver(setting, state, {}, 30, 0));
    EXPECT_EQ(state.old_scr_saver, Own());

    // The user chose another one meanwhile: it stays, only the flag goes.
    state = {true, stars};
    dir_.Write("windows/other.scr", "x");
    setting.SetScreenSaverPath(dir_.File("windows/other.scr"));
    UninstallScreenSaver(setting, state);
    EXPECT_FALSE(state.installed);
    EXPECT_EQ(setting.GetScreenSaverPath(), dir_.File("windows/other.scr"));

    // The comparison is exact: another spelling of our file is not ours.
    state = {true, stars};
    ASSERT_TRUE(registry_.WriteValues(
        RegistryRoot::CurrentUser, kDesktopKey,
        {RegistryValue::String("SCRNSAVE.EXE", dir_.File("windows/ORVELLA.SCR"))}));
    UninstallScreenSaver(setting, state);
    EXPECT_EQ(setting.GetScreenSaverPath(), dir_.File("windows/ORVELLA.SCR"));

    // Nothing before: uninstalling leaves no screen saver, with screen saving on.
    state = {};
    setting.SetScreenSaverPath("");
    ASSERT_TRUE(InstallScreenSaver(setting, state, {}, 30, 0));
    EXPECT_EQ(state, (ScreenSaverState{true, ""}));
    UninstallScreenSaver(setting, state);
    EXPECT_EQ(setting.GetScreenSaverPath(), "");
    EXPECT_EQ(DesktopValue("ScreenSaveActive"), "1");
}

TEST_F(ScreenSaverTest, WithoutOurScreenSaverFileTheSystemGetsNone) {
    dir_.Write("windows/ssstars.scr", "x");
    const std::string stars = dir_.File("windows/ssstars.scr");
    ScreenSaverSetting setting = Setting("95");
    setting.SetScreenSaverPath(stars);
    ScreenSaverState state;
    ASSERT_TRUE(InstallScreenSaver(setting, state, {}, 30, 0));
    EXPECT_EQ(state, (ScreenSaverState{true, stars}));
    EXPECT_EQ(setting.GetScreenSaverPath(), "");
    // The empty setting equals the missing file's empty short form: the old one returns.
    UninstallScreenSaver(setting, state);
    EXPECT_EQ(setting.GetScreenSaverPath(), stars);
}

}  // namespace
}  // namespace orvella
