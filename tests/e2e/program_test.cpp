#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include "platform/files.h"
#include "platform/hive_registry.h"
#include "platform/profile_document.h"
#include "platform/registry.h"
#include "settings/shell_extension.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;
using testing::RunProgram;
using testing::TempDir;

// The real program with its own program folder, Windows folder and hive, headless.
class ProgramTest : public ::testing::Test {
protected:
    std::vector<std::string> Environment() const {
        return {"ORVELLA_PROGRAM_DIR=" + dir_.File("prog/"),
                "ORVELLA_REGISTRY=" + dir_.File("hive.reg"),
                "ORVELLA_WINDOWS_DIR=" + dir_.File("windows"),
                "XDG_RUNTIME_DIR=" + dir_.path(),
                "HOME=" + dir_.path(),
                "QT_QPA_PLATFORM=offscreen",
                "ORVELLA_NONINTERACTIVE=yes"};
    }
    int Run(std::vector<std::string> switches) const {
        switches.insert(switches.begin(), ORVELLA_PROGRAM);
        return RunProgram(switches, Environment());
    }
    std::optional<RegistryKey> Key(HiveRegistry& hive, RegistryRoot root,
                                   const std::string& path) const {
        return RegistryKey::Open(hive, root, path, false);
    }

    TempDir dir_;
};

TEST_F(ProgramTest, CloseRunsTheWholeStartUpAndWritesWhatANormalEndWrites) {
    ASSERT_EQ(Run({"-close"}), 0);

    const ProfileDocument store = ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"));
    EXPECT_THAT(store.SectionNames(), ElementsAre("Categories", "Cat_0.Details", "Custom"));
    EXPECT_THAT(store.KeyNames("Cat_0.Details"), ElementsAre("Name", "Icon"));
    EXPECT_EQ(store.Value("Cat_0.Details", "Name"), "Alle");
    EXPECT_EQ(store.Value("Cat_0.Details", "Icon"), dir_.File("prog/Icons/StdImage.bmp"));
    EXPECT_EQ(store.Value("Custom", "ActiveCat"), "0");
    // The new category's icon was given to the program folder.
    EXPECT_TRUE(FileExists(dir_.File("prog/Icons/StdImage.bmp")));

    const ProfileDocument settings = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_THAT(settings.KeyNames("Wallpaper"),
                ElementsAre("Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos", "Visible",
                            "ShowPreview_Checked", "Deutsch1_Checked", "Englisch1_Checked",
                            "OvlMediaP_FileName", "LVSort", "CalActivated", "Weekstart",
                            "WeekstartNr", "WallProps", "OldScrSaver", "FormVersion"));
    EXPECT_EQ(settings.Value("Wallpaper", "FormVersion"), "3");

    HiveRegistry hive(dir_.File("hive.reg"));
    std::optional<RegistryKey> key =
        Key(hive, RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella");
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->ReadDword("WHandle").has_value());

    // Values kept unchanged by the program survive the next run.
    dir_.Write("prog/ovl.dat", "[Wallpaper]\r\nFormVersion=3\r\nWeekstart=2\r\nWeekstartNr=5\r\n");
    ASSERT_EQ(Run({"/close"}), 0);
    const ProfileDocument again = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_EQ(again.Value("Wallpaper", "Weekstart"), "2");
    EXPECT_EQ(again.Value("Wallpaper", "WeekstartNr"), "5");
}

TEST_F(ProgramTest, ShellExtensionSwitchesChangeOnlyTheHiveAndEnd) {
    ASSERT_EQ(Run({"-delshellex", "-shellex", "-close"}), 0);
    // Nothing of the start-up after the switch ran: no store, no settings, no handle.
    EXPECT_FALSE(FileExists(dir_.File("prog/ovlimg.dat")));
    EXPECT_FALSE(FileExists(dir_.File("prog/ovl.dat")));
    HiveRegistry hive(dir_.File("hive.reg"));
    std::optional<RegistryKey> settings =
        Key(hive, RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella");
    EXPECT_FALSE(settings && settings->ValueExists("WHandle"));

    const std::string handlers_of[] = {"Paint.Picture", "jpegfile", "giffile", "pngfile",
                                       "htmlfile"};
    for (const std::string& type : handlers_of) {
        std::optional<RegistryKey> handler =
            Key(hive, RegistryRoot::ClassesRoot,
                type + "\\ShellEx\\ContextMenuHandlers\\" + std::string(kShellExtensionName));
        ASSERT_TRUE(handler) << type;
        EXPECT_EQ(handler->ReadString(""), std::string(kShellExtensionId));
    }
    const std::string registered = dir_.Read("hive.reg");

    ASSERT_EQ(Run({"/delshellex", "-wall"}), 0);
    for (const std::string& type : handlers_of) {
        EXPECT_FALSE(
            Key(hive, RegistryRoot::ClassesRoot,
                type + "\\ShellEx\\ContextMenuHandlers\\" + std::string(kShellExtensionName)))
            << type;
    }
    EXPECT_FALSE(FileExists(dir_.File("prog/ovlimg.dat")));

    ASSERT_EQ(Run({"-shellex"}), 0);
    EXPECT_EQ(dir_.Read("hive.reg"), registered);
}

TEST_F(ProgramTest, ALogOutSignalEndsTheProgramAsAClose) {
    const int pid = testing::StartProgram({ORVELLA_PROGRAM}, Environment());
    // Up once it has published its handle (after the four-second splash).
    HiveRegistry hive(dir_.File("hive.reg"));
    bool up = false;
    for (int i = 0; i < 300 && !up; ++i) {
        std::optional<RegistryKey> key =
            Key(hive, RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella");
        up = key && key->ValueExists("WHandle");
        if (!up)
            ::usleep(50'000);
    }
    ASSERT_TRUE(up);
    ::usleep(300'000);  // past the load, into the event loop
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_EQ(testing::WaitForProgram(pid), 0);
    EXPECT_EQ(ProfileDocument::Parse(dir_.Read("prog/ovl.dat")).Value("Wallpaper", "FormVersion"),
              "3");
    EXPECT_TRUE(FileExists(dir_.File("prog/ovlimg.dat")));
}

}  // namespace
}  // namespace orvella
