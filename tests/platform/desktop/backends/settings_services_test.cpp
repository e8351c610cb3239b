#include <gtest/gtest.h>

#include <optional>

#include "codecs/codec_picture_loader.h"
#include "platform/desktop/backends/gnome_backend.h"
#include "platform/desktop/backends/xfce_backend.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "platform/system/process.h"
#include "support/bitmap_file.h"
#include "support/desktop_services.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "support/wallpaper_change.h"
#include "support/x11_server.h"

namespace orvella {
namespace {

using testing::ChangeOf;
using testing::ScopedEnv;
using testing::SessionBus;
using testing::TempDir;

// A desktop's settings service (xfconfd, dconf) on a session bus of the test's own, its
// files in the test's configuration folder.
class SettingsServiceTest : public ::testing::Test {
protected:
    // Starts the bus; false when it or `probe` (a first question to the service) fails.
    bool Start(const std::vector<std::string>& probe) {
        bus.emplace();
        Result<ProcessOutput> answer = RunProcess(probe);
        return bus->ok() && answer && answer->exit_code == 0;
    }
    std::string Run(const std::vector<std::string>& argv) {
        Result<std::string> out = RunChecked(argv);
        return out ? *out : out.message();
    }
    // The picture the desktop is given, "Orvella.jpg" as the program copies it.
    std::string Copy(const std::string& content) {
        dir.Write("Orvella.jpg", content);
        return dir.File("Orvella.jpg");
    }

    TempDir dir;
    ScopedEnv config{"XDG_CONFIG_HOME", dir.File("config")};
    std::optional<SessionBus> bus;
};

constexpr const char* kXfceSkip =
    "xfconfd did not answer on a session bus of our own (scripts/install-deps.sh installs "
    "dbus and xfconf)";

class XfceServiceTest : public SettingsServiceTest {
protected:
    std::string Get(const std::string& property) {
        return Run({"xfconf-query", "-c", "xfce4-desktop", "-p", property});
    }
    bool StartXfconf() { return Start({"xfconf-query", "-l"}); }
};

TEST_F(XfceServiceTest, AFreshDesktopGetsItsFirstMonitorAndEachChangeANewName) {
    if (!StartXfconf())
        GTEST_SKIP() << kXfceSkip;
    XfceWallpaperBackend xfce;
    const std::string first = "/backdrop/screen0/monitor0/workspace0/";
    ASSERT_TRUE(xfce.Show(ChangeOf(Copy("one"), WallpaperStyle::Stretch)));
    const std::string shown = Get(first + "last-image");
    EXPECT_EQ(Get(first + "image-style"), "3\n");
    // xfconfd tells xfdesktop nothing when a value stays the same: the same copy name
    // again must arrive under another name, holding the new picture.
    ASSERT_TRUE(xfce.Show(ChangeOf(Copy("two"), WallpaperStyle::Tile)));
    const std::string again = Get(first + "last-image");
    EXPECT_NE(again, shown);
    EXPECT_EQ(Get(first + "image-style"), "2\n");
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(dir.Read(again.substr(dir.path().size(), again.size() - dir.path().size() - 1)),
              "two");
    EXPECT_FALSE(FileExists(shown.substr(0, shown.size() - 1)));
}

TEST_F(XfceServiceTest, EveryNamedMonitorAndWorkspaceIsSet) {
    ASSERT_TRUE(EnsureDirectory(dir.File("config/xfce4/xfconf/xfce-perchannel-xml")));
    dir.Write("config/xfce4/xfconf/xfce-perchannel-xml/xfce4-desktop.xml",
              R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-desktop" version="1.0">
  <property name="backdrop" type="empty">
    <property name="screen0" type="empty">
      <property name="monitorHDMI-1" type="empty">
        <property name="workspace0" type="empty">
          <property name="color-style" type="int" value="0"/>
          <property name="image-style" type="int" value="5"/>
          <property name="last-image" type="string" value="/usr/share/backgrounds/a.png"/>
        </property>
        <property name="workspace1" type="empty">
          <property name="last-image" type="string" value="/usr/share/backgrounds/b.png"/>
        </property>
      </property>
      <property name="monitoreDP-1" type="empty">
        <property name="workspace0" type="empty">
          <property name="image-style" type="int" value="5"/>
          <property name="last-image" type="string" value="/usr/share/backgrounds/c.png"/>
        </property>
      </property>
    </property>
  </property>
</channel>
)");
    if (!StartXfconf())
        GTEST_SKIP() << kXfceSkip;
    ASSERT_TRUE(XfceWallpaperBackend().Show(ChangeOf(Copy("one"), WallpaperStyle::Centre)));
    const std::string shown = dir.File("OrvellaShown1.jpg\n");
    for (const char* monitor :
         {"monitorHDMI-1/workspace0/", "monitorHDMI-1/workspace1/", "monitoreDP-1/workspace0/"}) {
        const std::string base = std::string("/backdrop/screen0/") + monitor;
        EXPECT_EQ(Get(base + "last-image"), shown) << monitor;
        EXPECT_EQ(Get(base + "image-style"), "1\n") << monitor;
    }
    EXPECT_EQ(Get("/backdrop/screen0/monitorHDMI-1/workspace0/color-style"), "0\n");
    EXPECT_EQ(Run({"xfconf-query", "-c", "xfce4-desktop", "-l"}).find("monitor0"),
              std::string::npos);

    // A picture per monitor, the monitors in their order on the screen: eDP-1 on the left.
    testing::Xvfb server(1024, 480);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb did not start";
    ASSERT_EQ(testing::SetMonitors(server.display(),
                                   {{"eDP-1", 0, 0, 512, 480}, {"HDMI-1", 512, 0, 512, 480}}, 0),
              "");
    XfceWallpaperBackend xfce({"xfconf-query"}, server.display());
    WallpaperChange change = ChangeOf(Copy("two"), WallpaperStyle::Centre);
    change.monitor_pictures = {"/left.jpg", "/right.jpg"};
    ASSERT_TRUE(xfce.Show(change));
    EXPECT_EQ(Get("/backdrop/screen0/monitoreDP-1/workspace0/last-image"), "/left.jpg\n");
    EXPECT_EQ(Get("/backdrop/screen0/monitorHDMI-1/workspace0/last-image"), "/right.jpg\n");
    EXPECT_EQ(Get("/backdrop/screen0/monitorHDMI-1/workspace1/last-image"), "/right.jpg\n");
}

class GnomeDconfTest : public SettingsServiceTest {
protected:
    std::string Get(const std::string& key) {
        return Run({"gsettings", "get", "org.gnome.desktop.background", key});
    }
    bool StartDconf() {
        // Any write goes through dconf's service; without it gsettings would keep the
        // value in its own memory and say nothing.
        return Start({"gsettings", "set", "org.gnome.desktop.background", "show-desktop-icons",
                      "false"}) &&
               FileExists(dir.File("config/dconf/user"));
    }

    ScopedEnv backend{"GSETTINGS_BACKEND", "dconf"};
};

constexpr const char* kGnomeSkip =
    "gsettings with dconf on a session bus of our own did not start (scripts/install-deps.sh "
    "installs dbus, libglib2.0-bin, dconf-service and gsettings-desktop-schemas)";

TEST_F(GnomeDconfTest, EachChangeReadsBackUnderANewName) {
    if (!StartDconf())
        GTEST_SKIP() << kGnomeSkip;
    GnomeWallpaperBackend gnome;
    ASSERT_TRUE(gnome.Show(ChangeOf(Copy("one"), WallpaperStyle::Tile)));
    const std::string uri = Get("picture-uri");
    EXPECT_EQ(uri, "'" + FileUri(dir.File("OrvellaShown1.jpg")) + "'\n");
    EXPECT_EQ(Get("picture-uri-dark"), uri);
    EXPECT_EQ(Get("picture-options"), "'wallpaper'\n");
    EXPECT_EQ(Get("primary-color"), "'#3A6EA5'\n");
    // dconf reports no change for a value set again as it was.
    ASSERT_TRUE(gnome.Show(ChangeOf(Copy("two"), WallpaperStyle::Tile)));
    EXPECT_EQ(Get("picture-uri"), "'" + FileUri(dir.File("OrvellaShown2.jpg")) + "'\n");
    EXPECT_EQ(dir.Read("OrvellaShown2.jpg"), "two");
    EXPECT_FALSE(FileExists(dir.File("OrvellaShown1.jpg")));

    // A picture per monitor: one picture of both monitors as they lie, spanned over them.
    testing::Xvfb server(200, 100);
    if (server.display().empty())
        GTEST_SKIP() << "Xvfb did not start";
    ASSERT_EQ(
        testing::SetMonitors(server.display(), {{"L", 0, 0, 100, 100}, {"R", 100, 0, 100, 100}}, 0),
        "");
    const auto plain = [&](const char* name, std::uint32_t colour) {
        dir.Write(name, testing::MakeBitmap24(16, 16, [&](int, int) { return colour; }));
        return dir.File(name);
    };
    WallpaperChange change = ChangeOf(Copy("three"), WallpaperStyle::Stretch);
    change.monitor_pictures = {plain("red.bmp", 0xFF0000), plain("blue.bmp", 0x0000FF)};
    const auto loader = std::make_shared<CodecPictureLoader>();
    ASSERT_TRUE(GnomeWallpaperBackend({"gsettings"}, loader, server.display()).Show(change));
    EXPECT_EQ(Get("picture-options"), "'spanned'\n");
    EXPECT_EQ(Get("picture-uri"), "'" + FileUri(dir.File("OrvellaShown1.jpg")) + "'\n");
    Result<PicturePixels> both =
        loader->Load(dir.File("OrvellaShown1.jpg"), {}, PicturePart::Centre);
    ASSERT_TRUE(both.ok()) << both.message();
    ASSERT_EQ(both->width, 200);
    // JPEG keeps the colours near enough: the strongest channel tells them apart.
    EXPECT_GT(both->At(40, 50) >> 16, 0xE0u);
    EXPECT_GT(both->At(160, 50) & 0xFF, 0xE0u);
    EXPECT_LT(both->At(160, 50) >> 16, 0x20u);
    // Back to one picture on all monitors: the composed one goes.
    ASSERT_TRUE(GnomeWallpaperBackend({"gsettings"}, loader, server.display())
                    .Show(ChangeOf(Copy("four"), WallpaperStyle::Stretch)));
    EXPECT_EQ(Get("picture-options"), "'stretched'\n");
    EXPECT_FALSE(FileExists(dir.File("OrvellaMonitors.jpg")));
}

TEST_F(GnomeDconfTest, ASchemaWithoutTheDarkKeyTakesTheRest) {
    ASSERT_TRUE(EnsureDirectory(dir.File("schemas")));
    dir.Write("schemas/org.gnome.desktop.background.gschema.xml", R"(<schemalist>
  <schema id="org.gnome.desktop.background" path="/org/gnome/desktop/background/">
    <key name="picture-uri" type="s"><default>''</default></key>
    <key name="picture-options" type="s"><default>'zoom'</default></key>
    <key name="primary-color" type="s"><default>'#023c88'</default></key>
    <key name="show-desktop-icons" type="b"><default>true</default></key>
  </schema>
</schemalist>
)");
    Result<ProcessOutput> compiled = RunProcess({"glib-compile-schemas", dir.File("schemas")});
    ASSERT_TRUE(compiled && compiled->exit_code == 0);
    ScopedEnv schemas("GSETTINGS_SCHEMA_DIR", dir.File("schemas"));
    if (!StartDconf())
        GTEST_SKIP() << kGnomeSkip;
    ASSERT_TRUE(GnomeWallpaperBackend().Show(ChangeOf(Copy("one"), WallpaperStyle::Stretch)));
    EXPECT_EQ(Get("picture-uri"), "'" + FileUri(dir.File("OrvellaShown1.jpg")) + "'\n");
    EXPECT_EQ(Get("picture-options"), "'stretched'\n");
}

}  // namespace
}  // namespace orvella
