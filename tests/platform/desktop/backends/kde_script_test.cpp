#include <gtest/gtest.h>

#include "platform/desktop/backends/json_text.h"
#include "platform/desktop/backends/kde_backend.h"
#include "platform/files/file_uri.h"
#include "platform/system/process.h"
#include "support/temp_dir.h"
#include "support/wallpaper_change.h"

namespace orvella {
namespace {

using testing::ChangeOf;
using testing::TempDir;

// Plasma's desktop scripting as far as our script uses it: desktops(), each with its screen,
// its wallpaper plugin, a current configuration group and writeConfig into that group, and
// screenGeometry(). A write before the group is chosen, or of another type than Plasma
// keeps, throws as Plasma's does. Screen 0 lies right of screen 1; a third desktop is on
// no screen.
constexpr const char* kStandIn = R"(
function Desktop(screen) {
    this.screen = screen;
    this.wallpaperPlugin = "org.kde.desktopcontainment";
    this.currentConfigGroup = [];
    this.config = {};
}
Desktop.prototype.writeConfig = function (key, value) {
    if (arguments.length !== 2 || this.currentConfigGroup.length === 0)
        throw new Error("writeConfig outside a configuration group");
    if (typeof value !== "string" && typeof value !== "number")
        throw new Error("writeConfig of a " + typeof value);
    this.config[this.currentConfigGroup.join("/") + "/" + key] = value;
};
var shown = [new Desktop(0), new Desktop(1), new Desktop(-1)];
function desktops() { return shown; }
function screenGeometry(screen) { return {x: screen === 0 ? 1280 : 0, y: 0}; }
)";

constexpr const char* kReport = R"(
print(JSON.stringify(shown.map(function (d) {
    return {plugin: d.wallpaperPlugin, config: d.config};
})));
)";

// What our script leaves in each desktop, run by a JavaScript engine; the engine's error
// when the script does not run.
std::string Evaluated(const TempDir& dir, const WallpaperChange& change,
                      const std::vector<std::string>& pictures = {}) {
    dir.Write("script.js",
              std::string(kStandIn) + KdeWallpaperBackend::Script(change, pictures) + kReport);
    Result<ProcessOutput> run = RunProcess({"duk", dir.File("script.js")});
    if (!run)
        return run.message();
    return run->exit_code == 0 ? run->out : run->out + run->err;
}

TEST(KdeScriptTest, EveryDesktopGetsTheImageItsModeAndColour) {
    if (Result<ProcessOutput> probe = RunProcess({"duk", "-e", "1"}); !probe)
        GTEST_SKIP() << "duk is missing (scripts/install-deps.sh installs duktape)";
    TempDir dir;
    // A program folder with blanks, quotes, a backslash and a line break in its name.
    const std::string picture = "/opt/my \"best\" pictures' \\ \n/Orvella.jpg";
    struct Row {
        WallpaperStyle style;
        int fill_mode;
    };
    for (const Row& row : {Row{WallpaperStyle::Centre, 6}, Row{WallpaperStyle::Tile, 3},
                           Row{WallpaperStyle::Stretch, 0}}) {
        const std::string desktop =
            R"({"plugin":"org.kde.image","config":{"Wallpaper/org.kde.image/General/Image":)" +
            QuoteJson(FileUri(picture)) + R"(,"Wallpaper/org.kde.image/General/FillMode":)" +
            std::to_string(row.fill_mode) +
            R"(,"Wallpaper/org.kde.image/General/Color":"#3A6EA5"}})";
        EXPECT_EQ(Evaluated(dir, ChangeOf(picture, row.style)),
                  "[" + desktop + "," + desktop + "," + desktop + "]\n");
    }

    // A picture per monitor: the left screen's desktop takes the first; one on no screen too.
    const std::string images =
        Evaluated(dir, ChangeOf(picture, WallpaperStyle::Stretch), {"/left.jpg", "/right.jpg"});
    const auto image_at = [&](std::size_t desktop) {
        std::size_t at = 0;
        for (std::size_t i = 0; i <= desktop; ++i)
            at = images.find("General/Image\":\"", at) + 1;
        return images.substr(at + 15, images.find('"', at + 15) - at - 15);
    };
    EXPECT_EQ(image_at(0), FileUri("/right.jpg")) << images;
    EXPECT_EQ(image_at(1), FileUri("/left.jpg")) << images;
    EXPECT_EQ(image_at(2), FileUri("/left.jpg")) << images;
}

}  // namespace
}  // namespace orvella
