#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/desktop/backends/gnome_backend.h"
#include "platform/desktop/backends/json_text.h"
#include "platform/desktop/backends/kde_backend.h"
#include "platform/desktop/backends/sway_backend.h"
#include "platform/desktop/backends/xfce_backend.h"
#include "platform/desktop/screen_saver_probe.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "platform/system/process.h"
#include "support/fake_tool_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/wallpaper_change.h"

namespace orvella {
namespace {

using testing::ChangeOf;
using testing::LoggedRun;
using testing::ScopedEnv;
using testing::TempDir;

// The fake tool under the name of the real one, with its log in the test's folder.
class FakeToolTest : public ::testing::Test {
protected:
    std::string Install(const std::string& name) {
        const std::string path = dir.File(name);
        std::filesystem::create_symlink(ORVELLA_FAKE_TOOL, path);
        return path;
    }
    std::string Log() const { return dir.Read("log"); }
    // A detached program logs in its own time; waits up to 10 s for its line.
    bool LogGets(const std::string& line) const {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            if (Log().find(line) != std::string::npos)
                return true;
            ::usleep(10000);
        }
        return false;
    }

    TempDir dir;
    ScopedEnv log{"FAKE_TOOL_LOG", dir.File("log")};
};

TEST_F(FakeToolTest, KdeSendsOneScriptWithTheFileAsAQuotedLiteral) {
    KdeWallpaperBackend kde({Install("dbus-send")});
    const std::string picture = "/home/u/my \"best\" picture's.jpg";
    ASSERT_TRUE(kde.Show(ChangeOf(picture, WallpaperStyle::Tile)));
    const std::string script = KdeWallpaperBackend::Script(ChangeOf(picture, WallpaperStyle::Tile));
    EXPECT_EQ(Log(), LoggedRun({"--session", "--print-reply", "--dest=org.kde.plasmashell",
                                "--type=method_call", "/PlasmaShell",
                                "org.kde.PlasmaShell.evaluateScript", "string:" + script}));
    EXPECT_NE(script.find("var images = [\"file:///home/u/my%20%22best%22%20picture%27s.jpg\"];"),
              std::string::npos)
        << script;
    EXPECT_NE(script.find("d.writeConfig(\"FillMode\", 3);"), std::string::npos);
    EXPECT_NE(script.find("d.writeConfig(\"Color\", \"#3A6EA5\");"), std::string::npos);
    EXPECT_EQ(KdeWallpaperBackend::FillMode(WallpaperStyle::Centre), 6);
    EXPECT_EQ(KdeWallpaperBackend::FillMode(WallpaperStyle::Stretch), 0);
}

TEST_F(FakeToolTest, XfceSetsEveryMonitorsImageAndStyle) {
    const std::string tool = Install("xfconf-query");
    dir.Write("listing",
              "/backdrop/screen0/monitorHDMI-1/workspace0/color-style\n"
              "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
              "/backdrop/screen0/monitoreDP-1/workspace1/last-image\n"
              "/backdrop/screen0/monitoreDP-1/workspace1/last-image-old\n");
    ScopedEnv output("FAKE_TOOL_OUTPUT", dir.File("listing"));
    XfceWallpaperBackend xfce({tool});
    ASSERT_TRUE(xfce.Show(ChangeOf("/p/Orvella.jpg", WallpaperStyle::Stretch)));
    const std::string hdmi = "/backdrop/screen0/monitorHDMI-1/workspace0/";
    const std::string edp = "/backdrop/screen0/monitoreDP-1/workspace1/";
    EXPECT_EQ(Log(), LoggedRun({"-c", "xfce4-desktop", "-l"}) +
                         LoggedRun({"-c", "xfce4-desktop", "-p", hdmi + "last-image", "-n", "-t",
                                    "string", "-s", "/p/Orvella.jpg"}) +
                         LoggedRun({"-c", "xfce4-desktop", "-p", hdmi + "image-style", "-n", "-t",
                                    "int", "-s", "3"}) +
                         LoggedRun({"-c", "xfce4-desktop", "-p", edp + "last-image", "-n", "-t",
                                    "string", "-s", "/p/Orvella.jpg"}) +
                         LoggedRun({"-c", "xfce4-desktop", "-p", edp + "image-style", "-n", "-t",
                                    "int", "-s", "3"}));
    EXPECT_EQ(XfceWallpaperBackend::ImageStyle(WallpaperStyle::Centre), 1);
    EXPECT_EQ(XfceWallpaperBackend::ImageStyle(WallpaperStyle::Tile), 2);
}

TEST_F(FakeToolTest, XfceWithoutBackdropsStartsTheFirstMonitorAndFailuresComeBack) {
    XfceWallpaperBackend xfce({Install("xfconf-query")});
    ASSERT_TRUE(xfce.Show(ChangeOf("/p/a.jpg", WallpaperStyle::Centre)));
    EXPECT_NE(Log().find(QuoteJson("/backdrop/screen0/monitor0/workspace0/image-style")),
              std::string::npos);

    XfceWallpaperBackend failing({"sh", "-c", "echo 'Channel not found' >&2; exit 1", "sh"});
    Status failed = failing.Show(ChangeOf("/p/a.jpg", WallpaperStyle::Centre));
    EXPECT_EQ(failed.message(), "sh: Channel not found");
    EXPECT_FALSE(XfceWallpaperBackend({dir.File("missing-tool")})
                     .Show(ChangeOf("/p/a.jpg", WallpaperStyle::Centre))
                     .ok());
}

TEST_F(FakeToolTest, TheScreenSaverIsAskedOnTheSessionBusOnly) {
    const std::string tool = Install("dbus-send");
    MapEnvironment session;
    session.Set("DBUS_SESSION_BUS_ADDRESS", "unix:path=/x");
    dir.Write("active", "   boolean true\n");
    dir.Write("inactive", "   boolean false\n");
    {
        ScopedEnv output("FAKE_TOOL_OUTPUT", dir.File("active"));
        EXPECT_TRUE(HostScreenSaverProbe(session, tool).IsRunning());
        // Without a session bus nobody is asked and no screen saver runs.
        EXPECT_FALSE(HostScreenSaverProbe(MapEnvironment(), tool).IsRunning());
    }
    EXPECT_EQ(Log(),
              LoggedRun({"--session", "--print-reply=literal", "--reply-timeout=1000",
                         "--dest=org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                         "org.freedesktop.ScreenSaver.GetActive"}));
    ScopedEnv output("FAKE_TOOL_OUTPUT", dir.File("inactive"));
    EXPECT_FALSE(HostScreenSaverProbe(session, tool).IsRunning());
    // Nobody answering (no such service) counts as no screen saver.
    EXPECT_FALSE(HostScreenSaverProbe(session, dir.File("missing")).IsRunning());
}

bool Alive(pid_t pid) {
    // Our own ended child is collected by the backend; kill then says there is none.
    return ::kill(pid, 0) == 0;
}

pid_t PidIn(const std::string& file) {
    Result<std::optional<std::string>> text = ReadWholeFile(file);
    return text && text->has_value() ? static_cast<pid_t>(std::stol(**text)) : 0;
}

TEST_F(FakeToolTest, SwayReplacesItsEarlierSwaybg) {
    const std::string tool = Install("swaybg");
    ScopedEnv stay("FAKE_TOOL_STAY", "1");
    const std::string pid_file = dir.File("swaybg.pid");
    SwayWallpaperBackend sway(pid_file, tool);

    ASSERT_TRUE(sway.Show(ChangeOf("/p/Orvella.jpg", WallpaperStyle::Centre)));
    // Every output, the picture, the mode and the desktop colour.
    EXPECT_TRUE(
        LogGets(LoggedRun({"-o", "*", "-i", "/p/Orvella.jpg", "-m", "center", "-c", "#3A6EA5"})));
    const pid_t first = PidIn(pid_file);
    ASSERT_GT(first, 0);
    EXPECT_TRUE(Alive(first));

    ASSERT_TRUE(sway.Show(ChangeOf("/p/Orvella.png", WallpaperStyle::Tile)));
    EXPECT_TRUE(
        LogGets(LoggedRun({"-o", "*", "-i", "/p/Orvella.png", "-m", "tile", "-c", "#3A6EA5"})));
    const pid_t second = PidIn(pid_file);
    ASSERT_GT(second, 0);
    EXPECT_NE(second, first);
    EXPECT_FALSE(Alive(first));
    EXPECT_TRUE(Alive(second));

    // A number that now belongs to another program is left alone.
    Result<pid_t> other = StartDetached({"sleep", "30"});
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(ReplaceFileAtomically(pid_file, std::to_string(*other) + "\n"));
    ASSERT_TRUE(sway.Show(ChangeOf("/p/Orvella.gif", WallpaperStyle::Stretch)));
    EXPECT_TRUE(Alive(*other));
    const pid_t third = PidIn(pid_file);

    for (const pid_t pid : {second, third, *other}) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
}

// The real gsettings on a private settings store: the keyfile backend in the test's own
// configuration folder, inside a session bus of its own.
class GnomeBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        Result<ProcessOutput> probe =
            RunProcess({"gsettings", "list-keys", "org.gnome.desktop.background"});
        if (!probe || probe->exit_code != 0)
            GTEST_SKIP() << "gsettings or the org.gnome.desktop.background schema is missing "
                            "(scripts/install-deps.sh installs both)";
        if (RunProcess({"dbus-run-session", "--", "true"}).ok())
            command = {"dbus-run-session", "--", "gsettings"};
    }
    std::string Get(const std::string& key) {
        Result<std::string> value =
            RunChecked({"gsettings", "get", "org.gnome.desktop.background", key});
        return value ? *value : value.message();
    }

    TempDir dir;
    ScopedEnv backend{"GSETTINGS_BACKEND", "keyfile"};
    ScopedEnv config{"XDG_CONFIG_HOME", dir.File("config")};
    std::vector<std::string> command = {"gsettings"};
};

TEST_F(GnomeBackendTest, EachDisplayModeReadsBackFromGSettings) {
    GnomeWallpaperBackend gnome(command);
    const std::string picture = dir.File("my picture.jpg");
    const std::string uri = "'" + FileUri(picture) + "'\n";
    struct Row {
        WallpaperStyle style;
        const char* option;
    };
    for (const Row& row :
         {Row{WallpaperStyle::Centre, "'centered'\n"}, Row{WallpaperStyle::Tile, "'wallpaper'\n"},
          Row{WallpaperStyle::Stretch, "'stretched'\n"}}) {
        ASSERT_TRUE(gnome.Show(ChangeOf(picture, row.style)));
        EXPECT_EQ(Get("picture-options"), row.option);
        EXPECT_EQ(Get("picture-uri"), uri);
        EXPECT_EQ(Get("picture-uri-dark"), uri);
        EXPECT_EQ(Get("primary-color"), "'#3A6EA5'\n");
    }
    EXPECT_NE(uri.find("my%20picture.jpg"), std::string::npos);
}

TEST(SwayOutputsTest, TheActiveOutputsInTheirOrderTheFocusedOnePrimary) {
    const std::string answer = R"([
      {"name": "DP-2", "active": true, "focused": false,
       "rect": {"x": 1920, "y": 0, "width": 1280, "height": 1024},
       "modes": [{"width": 640, "height": 480, "refresh": 60000}]},
      {"name": "HDMI-A-1", "active": false, "rect": {"x": 0, "y": 0, "width": 0, "height": 0}},
      {"name": "eDP-1", "active": true, "focused": true, "scale": 1.5e0,
       "make": "A \"quoted\" \u00e9 maker", "current_mode": null,
       "rect": {"x": 0, "y": 0, "width": 1920, "height": 1080}}
    ])";
    EXPECT_EQ(SwayWallpaperBackend::OutputsOf(answer),
              (std::vector<DesktopMonitor>{{"eDP-1", {0, 0, 1920, 1080, true}},
                                           {"DP-2", {1920, 0, 1280, 1024, false}}}));
    // No answer to go by: one picture for all outputs.
    EXPECT_TRUE(SwayWallpaperBackend::OutputsOf(R"([{"name": "eDP-1", "rect": )").empty());
    EXPECT_TRUE(SwayWallpaperBackend::OutputsOf(R"({"error": "no socket"})").empty());
    EXPECT_TRUE(SwayWallpaperBackend::OutputsOf("").empty());
}

}  // namespace
}  // namespace orvella
