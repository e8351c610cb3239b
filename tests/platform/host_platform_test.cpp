#include "platform/host_platform.h"

#include <gtest/gtest.h>

#include "codecs/codec_picture_loader.h"
#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

HostHooks HooksWithScreen(ScreenSize size) {
    HostHooks hooks;
    hooks.screen_query = [size] { return size; };
    return hooks;
}

TEST(HostPlatformTest, PathsComeFromOverridesThenXdgFolders) {
    TempDir dir;
    MapEnvironment overrides({{"ORVELLA_PROGRAM_DIR", dir.File("prog")},
                              {"ORVELLA_WINDOWS_DIR", dir.File("win/")},
                              {"ORVELLA_REGISTRY", dir.File("hive.reg")}});
    const ProgramPaths set = ResolvePaths(overrides, "/usr/bin/orvella");
    EXPECT_EQ(set.program_dir, dir.File("prog/"));
    EXPECT_EQ(set.windows_dir, dir.File("win"));
    EXPECT_EQ(set.registry_file, dir.File("hive.reg"));

    MapEnvironment xdg({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data/"}});
    // The executable's folder is taken only when we may write there.
    const ProgramPaths beside = ResolvePaths(xdg, dir.File("orvella"));
    EXPECT_EQ(beside.program_dir, dir.path());
    const ProgramPaths installed = ResolvePaths(xdg, "/nonexistent-orvella/orvella");
    EXPECT_EQ(installed.program_dir, "/data/orvella/");
    EXPECT_EQ(installed.windows_dir, "/data/orvella/windows");
    EXPECT_EQ(installed.registry_file, "/home/u/.config/orvella/registry.reg");
    // A relative XDG folder is ignored, as the XDG rules say.
    MapEnvironment relative({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "rel"}});
    EXPECT_EQ(ResolvePaths(relative, "/nonexistent-orvella/x").registry_file,
              "/home/u/.config/orvella/registry.reg");
}

TEST(HostPlatformTest, VersionScreenAndClockFollowTheEnvironment) {
    TempDir dir;
    MapEnvironment environment({{"ORVELLA_PROGRAM_DIR", dir.File("prog")},
                                {"ORVELLA_WINDOWS_DIR", dir.File("win")},
                                {"ORVELLA_REGISTRY", dir.File("hive.reg")},
                                {"ORVELLA_WINVER", "98"},
                                {"ORVELLA_SCREEN", "1280x1024"},
                                {"ORVELLA_TIME", "1700000000"}});
    Result<Platform> platform =
        CreateHostPlatform(environment, "/usr/bin/orvella", std::make_shared<CodecPictureLoader>(),
                           HooksWithScreen({1, 1}));
    ASSERT_TRUE(platform.ok()) << platform.message();
    EXPECT_TRUE(platform->version.IsWin9x());
    EXPECT_FALSE(platform->version.IsWinXP());
    EXPECT_EQ(platform->screen->Size(), (ScreenSize{1280, 1024}));
    EXPECT_EQ(platform->clock->Now(), 1700000000);
    EXPECT_TRUE(platform->warnings.empty());
    EXPECT_TRUE(DirectoryExists(dir.File("prog")));
    // The 95/98/Me family keeps its screen saver in system.ini.
    EXPECT_TRUE(ProfileFile(dir.File("win/system.ini")).HasSection("boot"));
}

TEST(HostPlatformTest, UnknownSettingsWarnAndFallBack) {
    TempDir dir;
    MapEnvironment environment({{"ORVELLA_PROGRAM_DIR", dir.File("prog")},
                                {"ORVELLA_WINDOWS_DIR", dir.File("win")},
                                {"ORVELLA_REGISTRY", dir.File("hive.reg")},
                                {"ORVELLA_WINVER", "7"},
                                {"ORVELLA_SCREEN", "big"},
                                {"ORVELLA_TIME", "soon"},
                                {"ORVELLA_DESKTOP", "amiga"},
                                {"ORVELLA_SCREENSAVER", "sometimes"}});
    Result<Platform> platform =
        CreateHostPlatform(environment, "/usr/bin/orvella", std::make_shared<CodecPictureLoader>(),
                           HooksWithScreen({800, 600}));
    ASSERT_TRUE(platform.ok()) << platform.message();
    EXPECT_TRUE(platform->version.IsWinXP());
    EXPECT_EQ(platform->screen->Size(), (ScreenSize{800, 600}));
    EXPECT_EQ(platform->warnings.size(), 5u);
    // An unknown desktop changes nothing on the host rather than failing the start.
    ASSERT_NE(platform->desktop, nullptr);
    EXPECT_FALSE(platform->desktop->IsScreenSaverRunning());
    EXPECT_FALSE(FileExists(dir.File("win/system.ini")));  // not on the NT family

    EXPECT_EQ(HostScreen(std::nullopt, nullptr).Size(), (ScreenSize{1024, 768}));
    EXPECT_FALSE(ParseScreenSize("0x768").has_value());
    EXPECT_FALSE(ParseScreenSize("1024x").has_value());
    EXPECT_EQ(ParseScreenSize("640X480"), (ScreenSize{640, 480}));
    for (const char* name : {"95", "98", "ME"}) {
        EXPECT_TRUE(WindowsVersion::FromName(name)->IsWin9x()) << name;
    }
    for (const char* name : {"nt4", "2000", "vista"}) {
        const auto version = WindowsVersion::FromName(name);
        EXPECT_TRUE(version->IsNt() && !version->IsWinXP()) << name;
    }
}

TEST(HostPlatformTest, AFolderThatCannotBeCreatedFailsClearly) {
    TempDir dir;
    dir.Write("file", "x");
    MapEnvironment environment({{"ORVELLA_PROGRAM_DIR", dir.File("file/prog")},
                                {"ORVELLA_WINDOWS_DIR", dir.File("win")},
                                {"ORVELLA_REGISTRY", dir.File("hive.reg")}});
    Result<Platform> platform =
        CreateHostPlatform(environment, "/usr/bin/orvella", std::make_shared<CodecPictureLoader>());
    ASSERT_FALSE(platform.ok());
    EXPECT_NE(platform.message().find(dir.File("file/prog")), std::string::npos);
}

}  // namespace
}  // namespace orvella
