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

// Plasma's desktop scripting as far as our script uses it: desktops(), each with its
// wallpaper plugin, a current configuration group and writeConfig into that group. A write
// before the group is chosen, or of another type than Plasma keeps, throws as Plasma's does.
constexpr const char* kStandIn = R"(
function Desktop() {
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
var shown = [new Desktop(), new Desktop()];
function desktops() { return shown; }
)";

constexpr const char* kReport = R"(
print(JSON.stringify(shown.map(function (d) {
    return {plugin: d.wallpaperPlugin, config: d.config};
})));
)";

// What our script leaves in each desktop, run by a JavaScript engine; the engine's error
// when the script does not run.
std::string Evaluated(const TempDir& dir, const WallpaperChange& change) {
    dir.Write("script.js", std::string(kStandIn) + KdeWallpaperBackend::Script(change) + kReport);
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
                  "[" + desktop + "," + desktop + "]\n");
    }
}

}  // namespace
}  // namespace orvella
