#include "wallpaper/calendar_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "../codecs/image_writers.h"
#include "codecs/jpeg_encoder.h"
#include "picture_checks.h"
#include "platform/files/files.h"
#include "support/bitmap_file.h"
#include "support/temp_dir.h"

namespace orvella::testing {
namespace {

constexpr ScreenSize kScreen{1024, 768};

// A 100-pixel triangle wave that joins up at the tile edges, steep enough that a picture
// cut 10 or 15 pixels off shows it.
std::uint8_t TileWave(int t) {
    const int p = t % 100;
    return static_cast<std::uint8_t>(p < 50 ? p * 5 : (100 - p) * 5);
}
Colour TileColour(int x, int y) {
    return Colour{TileWave(x), TileWave(y), TileWave(x + 25), 255};
}

class CalendarImagesTest : public ::testing::Test {
protected:
    std::string Prog(const std::string& name) const { return dir.File(name); }
    bool Exists(const std::string& name) const { return FileExists(dir.File(name)); }
    std::string WaveBmp(const std::string& name, int width, int height) {
        dir.Write(name, MakeBitmap24(width, height, WaveRgb));
        return dir.File(name);
    }
    std::string WaveJpeg(const std::string& name, int width, int height) {
        EXPECT_TRUE(SaveJpeg(WaveBitmap(width, height), dir.File(name)).ok());
        return dir.File(name);
    }

    TempDir dir;  // the program folder
    HostScreen screen{kScreen, nullptr};
    TCalendarImages images{dir.path(), screen};
};

TEST_F(CalendarImagesTest, TheCentreCaseFollowsTheMarginsAndTheOddDifferenceGoesRightAndDown) {
    const struct {
        ScreenSize picture;
        CentreCase expected;
    } rows[] = {
        {{1024, 768}, CentreCase::NearScreenSize}, {{1005, 754}, CentreCase::NearScreenSize},
        {{1004, 768}, CentreCase::AsItIs},         {{1024, 753}, CentreCase::AsItIs},
        {{1025, 768}, CentreCase::AsItIs},         {{1044, 800}, CentreCase::AsItIs},
        {{1040, 800}, CentreCase::AsItIs},         {{1045, 784}, CentreCase::LargerThanScreen},
        {{1045, 783}, CentreCase::AsItIs},         {{1600, 1200}, CentreCase::LargerThanScreen},
        {{3000, 700}, CentreCase::AsItIs},         {{800, 600}, CentreCase::AsItIs},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CentreCaseOf(row.picture, kScreen), row.expected)
            << row.picture.width << "x" << row.picture.height;

    const Rect even = CentrePart({1600, 1200}, kScreen);
    EXPECT_EQ(even.x, 288);
    EXPECT_EQ(even.y, 216);
    const Rect odd = CentrePart({1049, 787}, kScreen);  // differences 25 and 19
    EXPECT_EQ(odd.x, 12);
    EXPECT_EQ(odd.y, 9);
    EXPECT_EQ(odd.width, 1024);
    EXPECT_EQ(odd.height, 768);

    const Rect box = ControlBox({1280, 1024});
    EXPECT_EQ(box.x, 10);
    EXPECT_EQ(box.y, 15);
    EXPECT_EQ(box.width, 1260);
    EXPECT_EQ(box.height, 1009);
}

TEST_F(CalendarImagesTest, TilingRepeatsThePictureAndTheControlGetsTheScreenFromItsCorner) {
    Bitmap tile = Bitmap::Create(100, 100, PixelFormat::Rgb).value();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            tile.SetPixel(x, y, TileColour(x, y));
    dir.Write("tile.png", EncodePng(tile));
    ASSERT_TRUE(images.PrepareTiled(dir.File("tile.png")).ok());

    // Eleven columns and eight rows, the last ones clipped at 1024 and 768.
    const Bitmap screen_image = LoadSized(Prog("Orvella.jpg"), 1024, 768);
    ExpectPixels(screen_image, TileColour);
    const Bitmap control = LoadSized(Prog("Orvella2.jpg"), 1004, 753);
    ExpectPixels(control, [](int x, int y) { return TileColour(x + 10, y + 15); });
    // The control's picture is the screen image from (10, 15) on, pixel for pixel.
    ExpectPixels(control, [&](int x, int y) { return screen_image.Pixel(x + 10, y + 15); });
}

TEST_F(CalendarImagesTest, StretchingFillsTheScreenAndReplacesAJpegCopyOfTheSameName) {
    // Four flat quarters, so the stretch is seen without depending on the filter.
    const Colour quarters[4] = {
        {200, 30, 30, 255}, {30, 200, 30, 255}, {30, 30, 200, 255}, {220, 220, 40, 255}};
    Bitmap picture = Bitmap::Create(640, 480, PixelFormat::Rgb).value();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            picture.SetPixel(x, y, quarters[(y >= 240 ? 2 : 0) + (x >= 320 ? 1 : 0)]);
    ASSERT_TRUE(SaveJpeg(picture, Prog("Orvella.jpg")).ok());  // the copy of a ".jpg"

    ASSERT_TRUE(images.PrepareStretched(Prog("Orvella.jpg")).ok());
    const auto stretched = [&](int x, int y) {
        return quarters[(y >= 384 ? 2 : 0) + (x >= 512 ? 1 : 0)];
    };
    const auto away_from_seams = [&](const Bitmap& image, int dx, int dy) {
        for (int y = 20; y < image.height(); y += 97)
            for (int x = 20; x < image.width(); x += 97) {
                if (std::abs(x + dx - 512) < 12 || std::abs(y + dy - 384) < 12)
                    continue;
                const Colour a = image.Pixel(x, y);
                const Colour e = stretched(x + dx, y + dy);
                EXPECT_NEAR(a.r, e.r, 10) << x << "," << y;
                EXPECT_NEAR(a.g, e.g, 10) << x << "," << y;
                EXPECT_NEAR(a.b, e.b, 10) << x << "," << y;
            }
    };
    away_from_seams(LoadSized(Prog("Orvella.jpg"), 1024, 768), 0, 0);
    away_from_seams(LoadSized(Prog("Orvella2.jpg"), 1004, 753), 10, 15);
}

TEST_F(CalendarImagesTest, ACentredPictureOfScreenSizeIsWrittenAsInStretchMode) {
    ASSERT_TRUE(images.PrepareCentred(WaveBmp("screen.bmp", 1024, 768)).ok());
    ExpectPixels(LoadSized(Prog("Orvella.jpg"), 1024, 768), WaveColour);
    ExpectPixels(LoadSized(Prog("Orvella2.jpg"), 1004, 753),
                 [](int x, int y) { return WaveColour(x + 10, y + 15); });

    // Just inside the margins: stretched to the screen like stretch mode.
    ASSERT_TRUE(images.PrepareCentred(WaveBmp("near.bmp", 1010, 760)).ok());
    LoadSized(Prog("Orvella.jpg"), 1024, 768);
    LoadSized(Prog("Orvella2.jpg"), 1004, 753);
}

TEST_F(CalendarImagesTest, ALargerPictureGivesTheControlItsCentreAndTheScreenImageIsDeleted) {
    dir.Write("Orvella.jpg", "an earlier screen image");
    ASSERT_TRUE(images.PrepareCentred(WaveJpeg("big.jpg", 1600, 1200)).ok());
    EXPECT_FALSE(Exists("Orvella.jpg"));
    // The centre part runs from (288, 216); the control box starts 10 and 15 into it.
    ExpectPixels(LoadSized(Prog("Orvella2.jpg"), 1004, 753),
                 [](int x, int y) { return WaveColour(x + 298, y + 231); });

    // With an odd difference the left and top lose the smaller half.
    ASSERT_TRUE(images.PrepareCentred(WaveBmp("odd.bmp", 1069, 807)).ok());  // 45 and 39
    ExpectPixels(LoadSized(Prog("Orvella2.jpg"), 1004, 753),
                 [](int x, int y) { return WaveColour(x + 22 + 10, y + 19 + 15); });
}

TEST_F(CalendarImagesTest, AnyOtherCentredPictureGoesToTheControlAsItIs) {
    dir.Write("Orvella.jpg", "an earlier screen image");
    ASSERT_TRUE(images.PrepareCentred(WaveBmp("wide.bmp", 1040, 800)).ok());
    EXPECT_FALSE(Exists("Orvella.jpg"));
    ExpectPixels(LoadSized(Prog("Orvella2.jpg"), 1040, 800), WaveColour);

    dir.Write("small.png", EncodePng(WaveBitmap(800, 600)));
    ASSERT_TRUE(images.PrepareCentred(dir.File("small.png")).ok());
    ExpectPixels(LoadSized(Prog("Orvella2.jpg"), 800, 600), WaveColour);
    // Missing already: no error.
    EXPECT_FALSE(Exists("Orvella.jpg"));

    // A JPEG keeps its compressed data, even when it is the copy that is deleted after.
    const std::string jpeg = WaveJpeg("Orvella.jpg", 800, 600);
    const std::string bytes = dir.Read("Orvella.jpg");
    ASSERT_TRUE(images.PrepareCentred(jpeg).ok());
    EXPECT_FALSE(Exists("Orvella.jpg"));
    EXPECT_EQ(dir.Read("Orvella2.jpg"), bytes);

    // In case 2 too the copy is read before it is deleted.
    ASSERT_TRUE(images.PrepareCentred(WaveJpeg("Orvella.jpg", 1600, 1200)).ok());
    EXPECT_FALSE(Exists("Orvella.jpg"));
    LoadSized(Prog("Orvella2.jpg"), 1004, 753);
}

TEST_F(CalendarImagesTest, APictureThatCannotBeLoadedWritesNothing) {
    dir.Write("Orvella2.jpg", "the control's earlier picture");
    dir.Write("Orvella.jpg", "not a JPEG at all");
    WaveJpeg("whole.jpg", 300, 200);
    const std::string whole = dir.Read("whole.jpg");
    dir.Write("cut.jpg", whole.substr(0, whole.size() / 3));
    dir.Write("empty.bmp", MakeBitmap24(0, 10, WaveRgb));
    for (const std::string name : {"Orvella.jpg", "cut.jpg", "empty.bmp", "missing.png", "x.tga"}) {
        const std::string path = dir.File(name);
        const Status results[] = {images.PrepareStretched(path), images.PrepareTiled(path),
                                  images.PrepareCentred(path)};
        for (const Status& result : results) {
            EXPECT_FALSE(result.ok()) << name;
            EXPECT_NE(result.message().find(name), std::string::npos) << result.message();
        }
        EXPECT_EQ(dir.Read("Orvella2.jpg"), "the control's earlier picture") << name;
        EXPECT_EQ(dir.Read("Orvella.jpg"), "not a JPEG at all") << name;
    }
}

TEST_F(CalendarImagesTest, AFileThatCannotBeWrittenStopsThePreparation) {
    // A folder where the control's picture belongs cannot be replaced by a file.
    ASSERT_TRUE(EnsureDirectory(dir.File("Orvella2.jpg")).ok());
    const std::string picture = WaveBmp("p.bmp", 200, 100);
    EXPECT_FALSE(images.PrepareStretched(picture).ok());
    EXPECT_FALSE(images.PrepareTiled(picture).ok());
    EXPECT_FALSE(images.PrepareCentred(picture).ok());
}

}  // namespace
}  // namespace orvella::testing
