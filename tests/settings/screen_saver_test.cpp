#include "settings/screen_saver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/profile/profile_document.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "settings/screen_saver_arguments.h"
#include "settings/screen_saver_show.h"
#include "support/failing_io.h"
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
    for (const char* name : {"a.jpg", "b.GIF", "c.gif", "d.htm", "f.html", "g.HTM", "h=i.jpg"})
        dir_.Write(std::string("pics/") + name, "x");
    dir_.Write("windows/Ovlscr.ini",
               "[ScreenSaver]\r\nTime=1\r\nEffect=fade\r\n[WImages]\r\n/old/picture.jpg=\r\n");
    const std::vector<std::string> pictures = {dir_.File("pics/a.jpg"), dir_.File("pics/b.GIF"),
                                               dir_.File("pics/c.gif"), dir_.File("pics/d.htm"),
                                               dir_.File("pics/e.bmp"), dir_.File("pics/f.html"),
                                               dir_.File("pics/g.HTM"), dir_.File("pics/h=i.jpg")};
    ASSERT_TRUE(Setting("xp").WriteScreenSaverSettings(pictures, 30, MakeColorRef(255, 128, 0)));

    const ProfileDocument ini = Ini("Ovlscr.ini");
    EXPECT_EQ(ini.Value("ScreenSaver", "Time"), "30000");
    EXPECT_EQ(ini.Value("ScreenSaver", "Color"), "$000080FF");
    EXPECT_EQ(ini.Value("ScreenSaver", "Effect"), "fade");  // not ours: kept
    // The extension counts as spelled: ".GIF" and ".HTM" are not the excluded ones. A name
    // with "=" cannot be a key of the file and is left out.
    EXPECT_EQ(ini.KeyNames("WImages"),
              (std::vector<std::string>{dir_.File("pics/a.jpg"), dir_.File("pics/b.GIF"),
                                        dir_.File("pics/g.HTM")}));
    EXPECT_EQ(ini.Value("WImages", dir_.File("pics/a.jpg")), "");
}

TEST_F(ScreenSaverTest, ASettingsFileFailingAtAnyCallStaysAsItWas) {
    std::vector<std::string> pictures;
    for (int i = 0; i < 300; ++i) {
        pictures.push_back(dir_.File("pics/" + std::to_string(i) + ".jpg"));
        dir_.Write("pics/" + std::to_string(i) + ".jpg", "x");
    }
    const ScreenSaverSetting setting = Setting("xp");
    ASSERT_TRUE(setting.WriteScreenSaverSettings({pictures[0]}, 5, 0).ok());
    const std::string before = dir_.Read("windows/Ovlscr.ini");
    const std::set<std::string> names = dir_.Entries("windows");
    const std::string path = dir_.File("windows/Ovlscr.ini");
    const testing::FailurePositions positions = testing::FailEachCallInTurn(
        [&] { return setting.WriteScreenSaverSettings(pictures, 9, 0); },
        [&](const Status& status, const std::string& call) {
            SCOPED_TRACE(call);
            EXPECT_EQ(status.message(), path + ": " + SystemErrorText(ENOSPC));
            EXPECT_EQ(dir_.Read("windows/Ovlscr.ini"), before);
            EXPECT_EQ(dir_.Entries("windows"), names);
        });
    EXPECT_GE(positions.tried, 10);  // 18 KB in 4 KB writes, and the seven calls around them
    ASSERT_TRUE(positions.completed.ok());
    EXPECT_EQ(Ini("Ovlscr.ini").KeyNames("WImages"), pictures);
    EXPECT_EQ(Ini("Ovlscr.ini").Value("ScreenSaver", "Time"), "9000");
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

namespace orvella {
namespace {

TEST(ParseScreenSaverColourTest, ReadsBackBothFormsAndRefusesTheRest) {
    for (ColorRef colour : {0U, 0x000080U, 0xFFFF00U, 0xFFFFFFU, 0x0080FFU, 0x00EFCDABU, 1U})
        EXPECT_EQ(ParseScreenSaverColour(ScreenSaverColourText(colour)), colour) << colour;
    EXPECT_EQ(ParseScreenSaverColour("CLNAVY"), 0x800000U);
    EXPECT_EQ(ParseScreenSaverColour("$0000ff"), 0x0000FFU);
    EXPECT_EQ(ParseScreenSaverColour("255"), 255U);
    for (const char* bad : {"", "$", "clBtnFace", "$01000000", "-1", "$-1", "0x10", "red", "$12 "})
        EXPECT_EQ(ParseScreenSaverColour(bad), std::nullopt) << bad;
}

TEST_F(ScreenSaverTest, TheScreenSaverReadsWhatTheDialogWrote) {
    for (const char* name : {"a.jpg", "b.GIF", "c.bmp"})
        dir_.Write(std::string("pics/") + name, "x");
    ASSERT_TRUE(Setting("xp").WriteScreenSaverSettings(
        {dir_.File("pics/c.bmp"), dir_.File("pics/b.GIF"), dir_.File("pics/a.jpg")}, 7,
        MakeColorRef(255, 128, 0)));
    const ScreenSaverShow show = ReadScreenSaverShow(Setting("xp").SettingsFile());
    EXPECT_EQ(show.pictures,
              (std::vector<std::string>{dir_.File("pics/c.bmp"), dir_.File("pics/b.GIF"),
                                        dir_.File("pics/a.jpg")}));
    EXPECT_EQ(show.time_ms, 7000);
    EXPECT_EQ(show.colour, MakeColorRef(255, 128, 0));
    EXPECT_TRUE(show.problems.empty());
}

TEST_F(ScreenSaverTest, BadScreenSaverSettingsFallBackAndSaySo) {
    const std::string file = dir_.File("windows/Ovlscr.ini");
    const ScreenSaverShow missing = ReadScreenSaverShow(file);
    EXPECT_TRUE(missing.pictures.empty());
    EXPECT_EQ(missing.time_ms, 30000);
    EXPECT_EQ(missing.colour, 0U);
    EXPECT_FALSE(missing.problems.empty());

    struct Case {
        const char* content;
        std::int64_t time_ms;
        ColorRef colour;
    };
    const Case cases[] = {
        {"[ScreenSaver]\r\nTime=abc\r\nColor=clRed\r\n[WImages]\r\n", 30000, 0x0000FF},
        {"[ScreenSaver]\r\nTime=4999\r\nColor=clBlue\r\n[WImages]\r\n", 5000, 0xFF0000},
        {"[ScreenSaver]\r\nTime=-20000\r\nColor=$00FF00\r\n[WImages]\r\n", 5000, 0x00FF00},
        {"[ScreenSaver]\r\nTime=60000\r\nColor=clRosa\r\n[WImages]\r\n", 60000, 0},
        {"[ScreenSaver]\r\nTime=9000\r\nColor=clWhite\r\n", 9000, 0xFFFFFF},
        {"", 30000, 0},
    };
    for (const Case& c : cases) {
        dir_.Write("windows/Ovlscr.ini", c.content);
        const ScreenSaverShow show = ReadScreenSaverShow(file);
        EXPECT_EQ(show.time_ms, c.time_ms) << c.content;
        EXPECT_EQ(show.colour, c.colour) << c.content;
        EXPECT_EQ(show.problems.size(), c.content[0] == 0 ? 3U : 1U) << c.content;
    }
    // A time far beyond the timer's range is kept here; the timer clamps it.
    dir_.Write("windows/Ovlscr.ini",
               "[ScreenSaver]\r\nTime=99999999999\r\nColor=clBlack\r\n"
               "[WImages]\r\n");
    EXPECT_EQ(ReadScreenSaverShow(file).time_ms, 99999999999);
}

}  // namespace
}  // namespace orvella

namespace orvella {
namespace {

TEST(ParseScreenSaverArgumentsTest, FullScreenRootOrAGivenWindow) {
    using Kind = ScreenSaverTarget::Kind;
    EXPECT_EQ(ParseScreenSaverArguments({})->kind, Kind::FullScreen);
    EXPECT_EQ(ParseScreenSaverArguments({"-root"})->kind, Kind::Root);
    EXPECT_EQ(ParseScreenSaverArguments({"--root"})->kind, Kind::Root);
    const Result<ScreenSaverTarget> hex = ParseScreenSaverArguments({"-window-id", "0x2a00007"});
    ASSERT_TRUE(hex.ok());
    EXPECT_EQ(hex->kind, Kind::Window);
    EXPECT_EQ(hex->window_id, 0x2a00007U);
    EXPECT_EQ(ParseScreenSaverArguments({"-window-id", "44040199"})->window_id, 44040199U);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"-window-id"},
                                               {"-window-id", "zwei"},
                                               {"-window-id", "0"},
                                               {"-window-id", "0x"},
                                               {"-window-id", "12 "},
                                               {"-fullscreen"},
                                               {"root"}}) {
        const Result<ScreenSaverTarget> parsed = ParseScreenSaverArguments(bad);
        ASSERT_FALSE(parsed.ok()) << bad.back();
        EXPECT_NE(parsed.message().find("usage:"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvella

namespace orvella {
namespace {

TEST_F(ScreenSaverTest, TheLauncherIsALinkToTheProgramThatInstallCanName) {
    const std::string program = ScreenSaverProgram(dir_.File("bin/orvella"));
    EXPECT_EQ(program, dir_.File("bin/orvella-screensaver"));
    ASSERT_TRUE(EnsureDirectory(dir_.File("bin")));
    dir_.Write("bin/orvella-screensaver", "#!");
    // An earlier file of that name is replaced.
    dir_.Write("windows/Orvella.scr", "alt");
    ASSERT_TRUE(CreateScreenSaverLauncher(dir_.File("windows"), program));
    EXPECT_EQ(std::filesystem::read_symlink(Own()), program);
    EXPECT_EQ(dir_.Read("windows/Orvella.scr"), "#!");

    ScreenSaverSetting setting = Setting("xp");
    ScreenSaverState state;
    ASSERT_TRUE(InstallScreenSaver(setting, state, {}, 30, 0));
    EXPECT_EQ(setting.GetScreenSaverPath(), Own());

    EXPECT_FALSE(CreateScreenSaverLauncher(dir_.File("no/such/folder"), program));
}

}  // namespace
}  // namespace orvella
