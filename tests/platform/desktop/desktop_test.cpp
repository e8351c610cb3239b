#include "platform/desktop/desktop.h"

#include <gtest/gtest.h>

#include "codecs/codec_picture_loader.h"
#include "platform/desktop/backends/backend_selection.h"
#include "platform/desktop/backends/record_backend.h"
#include "platform/registry/registry_file.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

// Keeps every change it is handed.
class KeepingBackend : public WallpaperBackend {
public:
    explicit KeepingBackend(std::vector<WallpaperChange>& changes) : changes_(changes) {}
    Status Show(const WallpaperChange& change) override {
        changes_.push_back(change);
        return Status::Ok();
    }

private:
    std::vector<WallpaperChange>& changes_;
};

class RenderingPages : public PageRenderer {
public:
    Result<std::string> PictureForPage(const std::string& page) const override {
        if (page.find("broken") != std::string::npos)
            return Status::Error("cannot render " + page);
        return page + ".png";
    }
};

class HostDesktopTest : public ::testing::Test {
protected:
    HostDesktop Make(std::unique_ptr<PageRenderer> pages = nullptr) {
        HostDesktop::Parts parts;
        parts.backend = std::make_unique<KeepingBackend>(changes);
        parts.pages = std::move(pages);
        return HostDesktop(registry, colours, std::move(parts));
    }
    std::optional<std::string> Read(std::string_view key, std::string_view name) {
        std::optional<RegistryKey> open =
            RegistryKey::Open(registry, RegistryRoot::CurrentUser, std::string(key), false);
        return open ? open->ReadString(name) : std::nullopt;
    }

    TempDir dir;
    RegistryFile registry{dir.File("hive.reg")};
    RegistryDesktopColours colours{registry, nullptr};
    std::vector<WallpaperChange> changes;
};

TEST_F(HostDesktopTest, TheRegistryRouteShowsTheStyleTheDesktopKeyHolds) {
    HostDesktop desktop = Make();
    ASSERT_TRUE(colours.SetBackground(MakeColorRef(1, 2, 3)));
    struct Row {
        const char* tile;
        const char* style;
        WallpaperStyle shown;
    };
    for (const Row& row :
         {Row{"0", "1", WallpaperStyle::Centre}, Row{"1", "0", WallpaperStyle::Tile},
          Row{"1", "2", WallpaperStyle::Tile}, Row{"0", "2", WallpaperStyle::Stretch},
          Row{"0", "0", WallpaperStyle::Centre}}) {
        ASSERT_TRUE(registry.WriteValues(RegistryRoot::CurrentUser, kDesktopKey,
                                         {RegistryValue::String("TileWallpaper", row.tile),
                                          RegistryValue::String("WallpaperStyle", row.style)}));
        ASSERT_TRUE(desktop.SetDeskWallpaper("/p/Orvella.bmp"));
        ASSERT_FALSE(changes.empty());
        EXPECT_EQ(changes.back().style, row.shown) << row.tile << "/" << row.style;
    }
    EXPECT_EQ(changes.back().route, WallpaperRoute::Registry);
    EXPECT_EQ(changes.back().file, "/p/Orvella.bmp");
    EXPECT_EQ(changes.back().picture, "/p/Orvella.bmp");
    EXPECT_EQ(changes.back().background, MakeColorRef(1, 2, 3));
    EXPECT_EQ(Read(kDesktopKey, "Wallpaper"), "/p/Orvella.bmp");
    // Without the values Windows centres.
    EXPECT_EQ(StyleFromDesktopValues(std::nullopt, std::nullopt), WallpaperStyle::Centre);
}

TEST_F(HostDesktopTest, TheActiveDesktopKeepsItsStateAndStyleInTheRegistry) {
    HostDesktop desktop = Make();
    EXPECT_FALSE(desktop.IsDesktopHtml());
    ASSERT_TRUE(desktop.EnableActiveDesktop());
    EXPECT_TRUE(desktop.IsDesktopHtml());
    // Another program (or the next run) sees the same state.
    EXPECT_TRUE(Make().IsDesktopHtml());

    ASSERT_TRUE(desktop.SetActiveDesktopWallpaper("/p/Orvella.jpg", WallpaperStyle::Stretch));
    EXPECT_EQ(Read(kActiveDesktopGeneralKey, "Wallpaper"), "/p/Orvella.jpg");
    EXPECT_EQ(Read(kActiveDesktopGeneralKey, "WallpaperStyle"), "2");
    EXPECT_EQ(Read(kDesktopKey, "Wallpaper"), "/p/Orvella.jpg");
    // No style given: the desktop keeps the one it had.
    ASSERT_TRUE(desktop.SetActiveDesktopWallpaper("/p/Orvella.png", std::nullopt));
    EXPECT_EQ(Read(kActiveDesktopGeneralKey, "WallpaperStyle"), "2");
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[1].route, WallpaperRoute::ActiveDesktop);
    EXPECT_EQ(changes[1].style, WallpaperStyle::Stretch);
}

TEST_F(HostDesktopTest, PagesGoThroughTheRendererAndPicturesDoNot) {
    HostDesktop passing = Make();
    ASSERT_TRUE(passing.SetActiveDesktopWallpaper("/w/Orvella.htm", WallpaperStyle::Centre));
    EXPECT_EQ(changes.back().picture, "/w/Orvella.htm");  // handed on as it is

    HostDesktop rendering = Make(std::make_unique<RenderingPages>());
    ASSERT_TRUE(rendering.SetActiveDesktopWallpaper("/w/Orvella.HTML", WallpaperStyle::Centre));
    EXPECT_EQ(changes.back().file, "/w/Orvella.HTML");
    EXPECT_EQ(changes.back().picture, "/w/Orvella.HTML.png");
    ASSERT_TRUE(rendering.SetActiveDesktopWallpaper("/w/a.html.jpg", WallpaperStyle::Centre));
    EXPECT_EQ(changes.back().picture, "/w/a.html.jpg");
    const std::size_t before = changes.size();
    EXPECT_EQ(
        rendering.SetActiveDesktopWallpaper("/w/broken.htm", WallpaperStyle::Centre).message(),
        "cannot render /w/broken.htm");
    EXPECT_EQ(changes.size(), before);
}

TEST_F(HostDesktopTest, ANewDesktopColourShowsTheWallpaperAgainAroundIt) {
    HostDesktop desktop = Make();
    // Nothing shown and nothing in the registry: nothing to show again.
    ASSERT_TRUE(desktop.ShowBackgroundColour());
    EXPECT_TRUE(changes.empty());

    // The wallpaper of an earlier run, as the registry names it, in its style.
    ASSERT_TRUE(registry.WriteValues(RegistryRoot::CurrentUser, kDesktopKey,
                                     {RegistryValue::String("Wallpaper", "/p/old.bmp"),
                                      RegistryValue::String("TileWallpaper", "1")}));
    ASSERT_TRUE(colours.SetBackground(MakeColorRef(9, 8, 7)));
    ASSERT_TRUE(desktop.ShowBackgroundColour());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].picture, "/p/old.bmp");
    EXPECT_EQ(changes[0].style, WallpaperStyle::Tile);
    EXPECT_EQ(changes[0].background, MakeColorRef(9, 8, 7));

    // Once this run showed a page, that one comes again, not rendered a second time.
    HostDesktop rendering = Make(std::make_unique<RenderingPages>());
    ASSERT_TRUE(rendering.SetActiveDesktopWallpaper("/w/Orvella.htm", WallpaperStyle::Stretch));
    ASSERT_TRUE(colours.SetBackground(MakeColorRef(0, 0, 255)));
    ASSERT_TRUE(rendering.ShowBackgroundColour());
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[2].route, WallpaperRoute::ActiveDesktop);
    EXPECT_EQ(changes[2].picture, "/w/Orvella.htm.png");
    EXPECT_EQ(changes[2].style, WallpaperStyle::Stretch);
    EXPECT_EQ(changes[2].background, MakeColorRef(0, 0, 255));

    ASSERT_TRUE(desktop.SetScreenSaveActive(true));
    EXPECT_EQ(Read(kDesktopKey, "ScreenSaveActive"), "1");
}

TEST(BackendSelectionTest, AutoFollowsTheSessionAndUnknownNamesAreRefused) {
    struct Row {
        std::map<std::string, std::string, std::less<>> variables;
        const char* desktop;
    };
    const std::vector<Row> rows = {
        {{{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, "gnome"},
        {{{"XDG_CURRENT_DESKTOP", "KDE"}, {"DISPLAY", ":0"}}, "kde"},
        {{{"XDG_CURRENT_DESKTOP", "XFCE"}}, "xfce"},
        {{{"XDG_CURRENT_DESKTOP", "sway"}, {"WAYLAND_DISPLAY", "wayland-1"}}, "sway"},
        {{{"XDG_CURRENT_DESKTOP", "i3"}, {"DISPLAY", ":1"}}, "x11"},
        {{{"XDG_CURRENT_DESKTOP", "Hyprland"}, {"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":1"}},
         "none"},
        {{}, "none"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DesktopOfSession(MapEnvironment(row.variables)), row.desktop) << row.desktop;

    const MapEnvironment empty;
    BackendSetup setup;
    setup.picture_loader = std::make_shared<CodecPictureLoader>();
    for (const char* name : {"auto", "gnome", "KDE", "xfce", "sway", "x11", "none", "record:/x"}) {
        EXPECT_TRUE(CreateWallpaperBackend(name, empty, setup).ok()) << name;
    }
    EXPECT_FALSE(CreateWallpaperBackend("x11", empty, {}).ok());
    Result<std::unique_ptr<WallpaperBackend>> unknown = CreateWallpaperBackend("amiga", empty, {});
    ASSERT_FALSE(unknown.ok());
    EXPECT_NE(unknown.message().find("record:FILE"), std::string::npos);
    EXPECT_FALSE(CreateWallpaperBackend("record:", empty, {}).ok());
}

TEST(RecordBackendTest, WritesOneJsonLinePerChange) {
    TempDir dir;
    RecordWallpaperBackend record(dir.File("changes.jsonl"));
    WallpaperChange change;
    change.route = WallpaperRoute::ActiveDesktop;
    change.file = "/w/Orvella.htm";
    change.picture = "/w/say \"hi\"\\.png";
    change.style = WallpaperStyle::Tile;
    ASSERT_TRUE(record.Show(change));
    change.route = WallpaperRoute::Registry;
    change.file = change.picture = "/p/Orvella.bmp";
    change.style = WallpaperStyle::Stretch;
    ASSERT_TRUE(record.Show(change));
    EXPECT_EQ(dir.Read("changes.jsonl"),
              "{\"route\":\"activedesktop\",\"file\":\"/w/Orvella.htm\",\"style\":\"tile\","
              "\"image\":\"/w/say \\\"hi\\\"\\\\.png\"}\n"
              "{\"route\":\"spi\",\"file\":\"/p/Orvella.bmp\",\"style\":\"stretch\","
              "\"image\":\"/p/Orvella.bmp\"}\n");
    EXPECT_FALSE(RecordWallpaperBackend(dir.File("no/such/folder.jsonl")).Show(change).ok());
}

}  // namespace
}  // namespace orvella
