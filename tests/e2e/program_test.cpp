#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/files/files.h"
#include "platform/profile/profile_document.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "settings/language_entry.h"
#include "settings/shell_extension.h"
#include "shell/message_catalogue.h"
#include "support/bitmap_file.h"
#include "support/fake_tool_log.h"
#include "support/run_program.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/x11_server.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;
using testing::LoggedRun;
using testing::RunProgram;
using testing::TempDir;

// Whether the process `pid` comes to wait for a file lock (within 20 s).
bool WaitsForALock(int pid) {
    const std::string waiter = " " + std::to_string(pid) + " ";
    for (int i = 0; i < 2000; ++i) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);) {
            if (line.find("->") != std::string::npos && line.find(waiter) != std::string::npos)
                return true;
        }
        ::usleep(10'000);
    }
    return false;
}

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
    // Category 1 holds three solid pictures of `size`: red, green and blue.
    void WriteColourStore(int width, int height) {
        ProfileDocument store;
        store.SetValue("Categories", "Cat_0", "");
        store.SetValue("Categories", "Cat_1", "");
        store.SetValue("Cat_0.Details", "Name", "Alle");
        store.SetValue("Cat_0.Details", "Icon", dir_.File("prog/Icons/StdImage.bmp"));
        store.SetValue("Cat_1.Details", "Name", "Farben");
        store.SetValue("Cat_1.Details", "Icon", dir_.File("prog/Icons/StdImage.bmp"));
        for (const auto& [name, colour] : kColours) {
            dir_.Write(name + ".bmp",
                       testing::MakeBitmap24(width, height, [c = colour](int, int) { return c; }));
            store.SetValue("Cat_1.Wallpapers", dir_.File(name + ".bmp"), "");
        }
        store.SetValue("Custom", "ActiveCat", "1");
        ASSERT_EQ(::mkdir(dir_.File("prog").c_str(), 0755), 0);
        dir_.Write("prog/ovlimg.dat", store.Serialize());
    }
    std::vector<std::string> RecordedChanges() const {
        std::vector<std::string> lines;
        std::ifstream in(dir_.File("changes.jsonl"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    static inline const std::vector<std::pair<std::string, std::uint32_t>> kColours = {
        {"rot", 0xFF0000}, {"gruen", 0x00FF00}, {"blau", 0x0000FF}};

    std::optional<RegistryKey> Key(RegistryFile& hive, RegistryRoot root,
                                   const std::string& path) const {
        return RegistryKey::Open(hive, root, path, false);
    }

    TempDir dir_;
};

// The first category of a fresh store takes its name from the language in force: the
// locale's, unless the language entry chose another.
TEST_F(ProgramTest, TheLocaleOrTheEntryNamesTheFirstCategoryOfAFreshStore) {
    const auto first_category = [this](const std::string& locale) {
        std::filesystem::remove_all(dir_.File("prog"));
        std::vector<std::string> environment = Environment();
        environment.push_back("LANG=" + locale);
        EXPECT_EQ(RunProgram({ORVELLA_PROGRAM, "-close"}, environment), 0);
        return ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"))
            .Value("Cat_0.Details", "Name")
            .value_or("");
    };
    EXPECT_EQ(first_category("en_US.UTF-8"), "All");

    RegistryFile hive(dir_.File("hive.reg"));
    testing::ScriptedPrompter prompter;
    SetUiLanguage(hive, ORVELLA_PROGRAM, "de", kLangIdGerman, MessageCatalogue(), prompter);
    EXPECT_EQ(first_category("en_GB.UTF-8"), "Alle");
}

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

    RegistryFile hive(dir_.File("hive.reg"));
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
    RegistryFile hive(dir_.File("hive.reg"));
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
    RegistryFile hive(dir_.File("hive.reg"));
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

    // One early in the start-up, while the program waits for the hive's lock to write it,
    // is answered once the window can save.
    std::filesystem::remove(dir_.File("prog/ovl.dat"));
    const int lock = ::open(dir_.File("hive.reg.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const int early = testing::StartProgram({ORVELLA_PROGRAM}, Environment());
    const bool waits = WaitsForALock(early);
    EXPECT_EQ(::kill(early, SIGTERM), 0);
    ::close(lock);
    ASSERT_TRUE(waits);
    EXPECT_EQ(testing::WaitForProgram(early), 0);
    EXPECT_EQ(ProfileDocument::Parse(dir_.Read("prog/ovl.dat")).Value("Wallpaper", "FormVersion"),
              "3");
}

TEST_F(ProgramTest, WallSwitchesReachTheWallpaperOperationOnlyWhenSpelledExactly) {
    WriteColourStore(8, 8);
    std::vector<std::string> environment = Environment();
    environment.push_back("ORVELLA_DESKTOP=record:" + dir_.File("changes.jsonl"));
    const auto run = [&](const std::string& wall_switch) {
        return RunProgram({ORVELLA_PROGRAM, wall_switch, "-close"}, environment);
    };

    ASSERT_EQ(run("-WALL"), 0);
    EXPECT_TRUE(RecordedChanges().empty());
    ASSERT_EQ(run("/wall"), 0);
    ASSERT_EQ(run("-wall"), 0);
    const std::vector<std::string> changes = RecordedChanges();
    ASSERT_EQ(changes.size(), 2u);
    // The picture handed over is the copy beside the program, of one of the three.
    for (const std::string& change : changes)
        EXPECT_NE(change.find(dir_.File("prog/Orvella.bmp")), std::string::npos) << change;
}

TEST_F(ProgramTest, WallCloseChangesTheX11RootWindowInEachDisplayMode) {
    testing::Xvfb server(160, 120);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    WriteColourStore(40, 30);  // smaller than the screen, so the modes differ
    std::vector<std::string> environment = Environment();
    environment.push_back("ORVELLA_DESKTOP=x11");
    environment.push_back("DISPLAY=" + server.display());

    std::set<std::uint32_t> colours;
    for (const auto& [name, colour] : kColours)
        colours.insert(colour);
    for (int mode = 0; mode < 3; ++mode) {
        dir_.Write("prog/ovl.dat",
                   "[Wallpaper]\r\nFormVersion=3\r\nWallProps=" + std::to_string(mode) + "\r\n");
        ASSERT_EQ(RunProgram({ORVELLA_PROGRAM, "-wall", "-close"}, environment), 0);
        const std::uint32_t centre = testing::RootPixel(server.display(), 80, 60);
        const std::uint32_t corner = testing::RootPixel(server.display(), 2, 2);
        EXPECT_TRUE(colours.count(centre)) << "mode " << mode << ": " << std::hex << centre;
        if (mode == 0)  // centred: the corner shows the desktop colour, not the picture
            EXPECT_FALSE(colours.count(corner)) << std::hex << corner;
        else  // tiled or stretched: the picture reaches the corner
            EXPECT_EQ(corner, centre) << "mode " << mode;
    }
}

TEST_F(ProgramTest, WallCloseGivesEachMonitorItsOwnPictureWhenTheOptionIsOn) {
    testing::Xvfb server(320, 120);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    ASSERT_EQ(
        testing::SetMonitors(server.display(), {{"L", 0, 0, 160, 120}, {"R", 160, 0, 160, 120}}, 0),
        "");
    WriteColourStore(40, 30);
    std::vector<std::string> environment = Environment();
    environment.push_back("ORVELLA_DESKTOP=x11");
    environment.push_back("DISPLAY=" + server.display());
    environment.push_back("ORVELLA_TIME=1700000000");  // both runs draw from the same second
    const auto monitors = [&](const char* on) {
        dir_.Write("prog/ovl.dat", std::string("[Wallpaper]\r\nFormVersion=3\r\nWallProps=2\r\n"
                                               "[Options]\r\nFormVersion=1\r\n"
                                               "CkbPicturePerScreen_Checked=") +
                                       on + "\r\n");
        EXPECT_EQ(RunProgram({ORVELLA_PROGRAM, "-wall", "-close"}, environment), 0);
        return std::pair{testing::RootPixel(server.display(), 80, 60),
                         testing::RootPixel(server.display(), 240, 60)};
    };
    const auto [left_off, right_off] = monitors("False");
    EXPECT_EQ(left_off, right_off);
    const auto [left, right] = monitors("True");
    EXPECT_NE(left, right);
    // The first monitor shows what one screen would have shown.
    EXPECT_EQ(left, left_off);
    EXPECT_TRUE(right == 0xFF0000 || right == 0x00FF00 || right == 0x0000FF) << std::hex << right;
}

// A scripted change on a bare X server (no session bus, no sound server) ends by itself,
// quietly, and never tries to start a bus of its own.
TEST_F(ProgramTest, WallCloseWithoutBusOrSoundSaysNothingAndStartsNoBus) {
    testing::Xvfb server(160, 120);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    WriteColourStore(40, 30);
    ASSERT_EQ(::mkdir(dir_.File("bin").c_str(), 0755), 0);
    ASSERT_EQ(::symlink(ORVELLA_FAKE_TOOL, dir_.File("bin/dbus-launch").c_str()), 0);
    std::vector<std::string> environment = Environment();
    std::erase(environment, "QT_QPA_PLATFORM=offscreen");
    for (const std::string& entry : std::vector<std::string>{
             "QT_QPA_PLATFORM=xcb", "ORVELLA_DESKTOP=x11", "DISPLAY=" + server.display(),
             "PATH=" + dir_.File("bin") + ":/usr/bin:/bin",
             "FAKE_TOOL_LOG=" + dir_.File("bus.log")})
        environment.push_back(entry);

    ASSERT_EQ(RunProgram({ORVELLA_PROGRAM, "-wall", "-close"}, environment, dir_.File("err")), 0);
    EXPECT_EQ(dir_.Read("err"), "");
    EXPECT_FALSE(FileExists(dir_.File("bus.log")));
    const std::uint32_t centre = testing::RootPixel(server.display(), 80, 60);
    EXPECT_TRUE(std::any_of(kColours.begin(), kColours.end(),
                            [&](const auto& named) { return named.second == centre; }))
        << std::hex << centre;
}

TEST_F(ProgramTest, WallCloseShowsTheCalendarOnTheX11RootWindow) {
    testing::Xvfb server(640, 480);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb could not be started";
    WriteColourStore(40, 30);
    dir_.Write("prog/ovl.dat", "[Wallpaper]\r\nFormVersion=3\r\nWallProps=2\r\nCalActivated=1\r\n");
    RegistryFile hive(dir_.File("hive.reg"));
    const std::uint32_t back = 0xFAF00A;        // red 250, green 240, blue 10
    const std::uint32_t title_back = 0xC80000;  // red 200
    ASSERT_TRUE(hive.WriteValues(RegistryRoot::CurrentUser,
                                 "Software\\Brenmark Software\\Orvella\\Calendar",
                                 {RegistryValue::String("MonthCalendar_CalColorsBackColor",
                                                        std::to_string(0x0AF0FA)),
                                  RegistryValue::String("MonthCalendar_CalColorsTitleBackColor",
                                                        std::to_string(0x0000C8))})
                    .ok());
    std::vector<std::string> environment = Environment();
    environment.push_back("ORVELLA_DESKTOP=x11");
    environment.push_back("ORVELLA_SCREEN=640x480");
    environment.push_back("DISPLAY=" + server.display());
    ASSERT_EQ(RunProgram({ORVELLA_PROGRAM, "-wall", "-close"}, environment), 0);

    // The stretched picture (through JPEG, so within a few steps) around the control's box
    // and in its lower part.
    const auto near = [](std::uint32_t a, std::uint32_t b) {
        for (const int shift : {0, 8, 16}) {
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                         static_cast<int>((b >> shift) & 0xFF)) > 6)
                return false;
        }
        return true;
    };
    const std::uint32_t corner = testing::RootPixel(server.display(), 2, 2);
    EXPECT_TRUE(std::any_of(kColours.begin(), kColours.end(),
                            [&](const auto& named) { return near(corner, named.second); }))
        << std::hex << corner;
    EXPECT_TRUE(near(testing::RootPixel(server.display(), 40, 440), corner));
    // The calendar in the top right of the box, in the colours of the calendar key.
    int panel = 0;
    int title = 0;
    for (int y = 30; y < 260; y += 8) {
        for (int x = 380; x < 630; x += 8) {
            const std::uint32_t pixel = testing::RootPixel(server.display(), x, y);
            panel += pixel == back ? 1 : 0;
            title += pixel == title_back ? 1 : 0;
        }
    }
    EXPECT_GT(panel, 5);
    EXPECT_GT(title, 5);
}

// The program on an X server of its own, where the test presses keys as a user would, with
// stand-ins for the desktop's programs on the PATH.
class KeyboardTest : public ProgramTest {
protected:
    void SetUp() override {
        if (server_.display().empty())
            GTEST_SKIP() << "Xvfb could not be started";
        ASSERT_EQ(::mkdir(dir_.File("bin").c_str(), 0755), 0);
        for (const char* tool : {"xdg-open", "xdg-email", "lp"})
            ASSERT_EQ(::symlink(ORVELLA_FAKE_TOOL, dir_.File(std::string("bin/") + tool).c_str()),
                      0);
    }
    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            EXPECT_EQ(testing::WaitForProgram(pid_), 0);
        }
    }
    // Starts the program and waits until its window takes keys (after the splash).
    void Start() {
        std::vector<std::string> environment = Environment();
        std::erase(environment, "QT_QPA_PLATFORM=offscreen");
        const char* path = ::getenv("PATH");
        environment.push_back("PATH=" + dir_.File("bin") + ":" + (path ? path : "/usr/bin:/bin"));
        environment.push_back("DISPLAY=" + server_.display());
        environment.push_back("FAKE_TOOL_LOG=" + dir_.File("tools.log"));
        environment.push_back("ORVELLA_DESKTOP=record:" + dir_.File("changes.jsonl"));
        pid_ = testing::StartProgram({ORVELLA_PROGRAM}, environment);
        RegistryFile hive(dir_.File("hive.reg"));
        for (int i = 0; i < 1200; ++i) {
            std::optional<RegistryKey> key =
                Key(hive, RegistryRoot::CurrentUser, "Software\\Brenmark Software\\Orvella");
            if (key && key->ValueExists("WHandle"))
                break;
            ::usleep(50'000);
        }
        ::usleep(500'000);
    }
    std::string Tools() const {
        return FileExists(dir_.File("tools.log")) ? dir_.Read("tools.log") : std::string();
    }
    bool Press(const char* key, unsigned int modifiers = 0) {
        return testing::PressKey(server_.display(), "Orvella", key, modifiers);
    }
    template <typename Condition>
    static bool Eventually(Condition condition) {
        for (int i = 0; i < 100; ++i) {
            if (condition())
                return true;
            ::usleep(50'000);
        }
        return false;
    }

    testing::Xvfb server_{800, 600};
    int pid_ = 0;
};

TEST_F(KeyboardTest, ShortCutsReachTheirCommandsAndTheDesktopsProgramsGetOneArgumentPerPath) {
    WriteColourStore(8, 8);
    // Two pictures whose names a shell would split or take for an option, after the colours.
    ProfileDocument store = ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"));
    std::vector<std::string> odd;
    for (const std::string name : {"a b \"c\" 'd'.bmp", "-e;$f.bmp"}) {
        dir_.Write(name, dir_.Read("rot.bmp"));
        odd.push_back(dir_.File(name));
        store.SetValue("Cat_1.Wallpapers", odd.back(), "");
    }
    dir_.Write("prog/ovlimg.dat", store.Serialize());
    Start();
    ASSERT_TRUE(Press("w", testing::kControlKey));
    EXPECT_TRUE(Eventually([&] { return RecordedChanges().size() == 1; }));

    ASSERT_TRUE(Press("F1"));
    const std::string help = ParentFolder(ORVELLA_PROGRAM) + "help/liesmich.htm";
    EXPECT_TRUE(Eventually([&] { return Tools().find(LoggedRun({help})) != std::string::npos; }))
        << Tools();
    // The focus goes from the first bar button past the second to the list; all of it is
    // selected and mailed.
    ASSERT_TRUE(Press("Tab"));
    ASSERT_TRUE(Press("Tab"));
    ASSERT_TRUE(Press("a", testing::kControlKey));
    ASSERT_TRUE(Press("m", testing::kControlKey));
    std::vector<std::string> mail;
    for (const auto& [name, colour] : kColours)
        mail.insert(mail.end(), {"--attach", dir_.File(name + ".bmp")});
    for (const std::string& path : odd)
        mail.insert(mail.end(), {"--attach", path});
    EXPECT_TRUE(Eventually([&] { return Tools().find(LoggedRun(mail)) != std::string::npos; }))
        << Tools();
}

TEST_F(ProgramTest, TheStoredTimerChangesTheWallpaperWhileTheProgramRuns) {
    WriteColourStore(8, 8);
    dir_.Write(
        "prog/ovl.dat",
        "[Options]\r\nFormVersion=1\r\nWallTimer_Enabled=True\r\nWallTimer_Interval=15000\r\n");
    std::vector<std::string> environment = Environment();
    environment.push_back("ORVELLA_DESKTOP=record:" + dir_.File("changes.jsonl"));
    const int pid = testing::StartProgram({ORVELLA_PROGRAM, "-min"}, environment);
    ::sleep(36);  // the splash, then ticks at 15 s and 30 s
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_EQ(testing::WaitForProgram(pid), 0);
    EXPECT_GE(RecordedChanges().size(), 2u);
}

}  // namespace
}  // namespace orvella
