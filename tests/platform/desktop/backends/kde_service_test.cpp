#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/desktop/backends/kde_backend.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "support/bitmap_file.h"
#include "support/plasma_session.h"
#include "support/wallpaper_change.h"
#include "support/x11_server.h"

namespace orvella {
namespace {

using testing::ChangeOf;
using testing::MakeBitmap24;
using testing::PlasmaSession;

// The root window's colour at (x, y) once it is `expected`, or as it is after 15 s (the
// shell fades from one picture to the next).
std::uint32_t Settled(const std::string& display, int x, int y, std::uint32_t expected) {
    std::uint32_t seen = testing::RootPixel(display, x, y);
    for (int attempt = 0; attempt < 150 && seen != expected; ++attempt) {
        ::usleep(100'000);
        seen = testing::RootPixel(display, x, y);
    }
    return seen;
}

TEST(KdeServiceTest, ModesReadBackAndARepeatedCopyNameShowsTheNewPicture) {
    PlasmaSession plasma;
    if (!plasma.error().empty())
        GTEST_SKIP() << plasma.error();
    // A program folder with blanks and quotes in its name.
    const std::string folder = plasma.Folder() + "my \"best\" pictures'/";
    ASSERT_TRUE(EnsureDirectory(folder));
    const std::string copy = folder + "Orvella.bmp";
    const auto write = [&](std::uint32_t colour) {
        ASSERT_TRUE(
            ReplaceFileAtomically(copy, MakeBitmap24(400, 300, [&](int, int) { return colour; })));
    };
    write(0xFF0000);
    KdeWallpaperBackend kde(plasma.DbusSend());
    const std::string read_back =
        "var d = desktops()[0];"
        "d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
        "print(d.wallpaperPlugin + ' ' + d.readConfig('FillMode') + ' ' + d.readConfig('Color') +"
        "      ' ' + d.readConfig('Image'));";
    int turn = 1;
    for (const auto& [style, fill_mode] :
         {std::pair{WallpaperStyle::Tile, "3"}, std::pair{WallpaperStyle::Stretch, "0"},
          std::pair{WallpaperStyle::Centre, "6"}}) {
        ASSERT_TRUE(kde.Show(ChangeOf(copy, style)));
        const std::string shown = folder + "OrvellaShown" + std::to_string(turn) + ".bmp";
        EXPECT_EQ(plasma.Evaluate(read_back),
                  std::string("org.kde.image ") + fill_mode + " #3A6EA5 " + FileUri(shown));
        turn = 3 - turn;
    }
    // Centred: the picture in the middle, the desktop colour around it.
    EXPECT_EQ(Settled(plasma.display(), 512, 384, 0xFF0000), 0xFF0000u);
    EXPECT_EQ(Settled(plasma.display(), 5, 5, 0x3A6EA5), 0x3A6EA5u);

    // The script ranks screens by what screenGeometry gives, as the shell gives it.
    EXPECT_EQ(plasma.Evaluate("var g = screenGeometry(desktops()[0].screen);"
                              "print(g.x + ' ' + g.y + ' ' + g.width);"),
              "0 0 1024");

    // The same copy name again with another picture in it: the shell shows the new one.
    write(0x0000FF);
    ASSERT_TRUE(kde.Show(ChangeOf(copy, WallpaperStyle::Centre)));
    EXPECT_EQ(Settled(plasma.display(), 512, 384, 0x0000FF), 0x0000FFu);
}

}  // namespace
}  // namespace orvella
