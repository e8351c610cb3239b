#include "codecs/image_loader.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "codecs/compose.h"
#include "codecs/jpeg_encoder.h"
#include "image_writers.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

constexpr Colour kGreen{30, 200, 60, 255};
constexpr Colour kPurple{150, 40, 190, 255};

Bitmap Picture(int width, int height) {
    Bitmap bitmap = Bitmap::Create(width, height, PixelFormat::Rgb).value();
    Fill(bitmap, kGreen);
    Bitmap corner = Bitmap::Create(width / 2, height / 2, PixelFormat::Rgb).value();
    Fill(corner, kPurple);
    Blit(corner, bitmap, 0, 0);
    return bitmap;
}

std::string Bmp(const Bitmap& picture) {
    std::string dib =
        testing::InfoHeader({.width = picture.width(), .height = -picture.height(), .bits = 24});
    const std::size_t pixels_at = dib.size();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.Pixel(x, y);
            dib += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)};
        }
        dib.resize((dib.size() - pixels_at + 3) / 4 * 4 + pixels_at, '\0');
    }
    return testing::BmpFile(dib, pixels_at);
}

std::string Gif(const Bitmap& picture) {
    testing::GifSpec spec{.screen_width = picture.width(),
                          .screen_height = picture.height(),
                          .width = picture.width(),
                          .height = picture.height()};
    spec.colours = {kGreen, kPurple};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            spec.indices.push_back(picture.Pixel(x, y) == kPurple ? 1 : 0);
    return testing::EncodeGif(spec);
}

std::string Ico(const Bitmap& picture) {
    return testing::IcoFile({{picture.width(), picture.height(), 32, testing::EncodePng(picture)}});
}

// One small file of every kind, each of the same picture.
struct Sample {
    std::string name;
    std::string bytes;
};
std::vector<Sample> Samples() {
    const Bitmap picture = Picture(16, 12);
    return {{"p.bmp", Bmp(picture)},
            {"p.jpg", EncodeJpeg(picture).value()},
            {"p.png", testing::EncodePng(picture)},
            {"p.gif", Gif(picture)},
            {"p.ico", Ico(picture)}};
}

TEST(ImageLoaderTest, TheExtensionChoosesTheLoaderWithoutRegardToCase) {
    EXPECT_EQ(ImageKindFromPath("/a/b.BMP"), ImageKind::Bmp);
    EXPECT_EQ(ImageKindFromPath("x.JpG"), ImageKind::Jpeg);
    EXPECT_EQ(ImageKindFromPath("x.jpeg"), ImageKind::Jpeg);
    EXPECT_EQ(ImageKindFromPath("x.JPE"), ImageKind::Jpeg);
    EXPECT_EQ(ImageKindFromPath("x.Png"), ImageKind::Png);
    EXPECT_EQ(ImageKindFromPath("x.gif"), ImageKind::Gif);
    EXPECT_EQ(ImageKindFromPath("x.ICO"), ImageKind::Ico);
    EXPECT_EQ(ImageKindFromPath("x.wmf"), std::nullopt);
    EXPECT_EQ(ImageKindFromPath("x.png.txt"), std::nullopt);
    EXPECT_EQ(ImageKindFromPath("/pictures.jpg/readme"), std::nullopt);
    EXPECT_EQ(ImageKindFromPath("jpg"), std::nullopt);

    TempDir dir;
    for (const Sample& sample : Samples()) {
        std::string upper = sample.name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        dir.Write(upper, sample.bytes);
        Result<Bitmap> loaded = LoadImage(dir.File(upper));
        ASSERT_TRUE(loaded.ok()) << upper << ": " << loaded.message();
        EXPECT_EQ(loaded->width(), 16) << upper;
        EXPECT_EQ(loaded->height(), 12) << upper;
        const Colour corner = loaded->Pixel(1, 1);
        const Colour rest = loaded->Pixel(14, 10);
        EXPECT_NEAR(corner.r, kPurple.r, 8) << upper;
        EXPECT_NEAR(corner.b, kPurple.b, 8) << upper;
        EXPECT_NEAR(rest.g, kGreen.g, 8) << upper;
    }
}

TEST(ImageLoaderTest, FailuresNameThePathAndSayWhy) {
    TempDir dir;
    dir.Write("picture.tiff", "II*\0");
    Result<Bitmap> unknown = LoadImage(dir.File("picture.tiff"));
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.message(), dir.File("picture.tiff") + ": Unbekannter Bilddateityp: .tiff");
    Result<Bitmap> bare = LoadImage(dir.File("README"));
    ASSERT_FALSE(bare.ok());
    EXPECT_NE(bare.message().find("ohne Endung"), std::string::npos);

    Result<Bitmap> missing = LoadImage(dir.File("gone.png"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.message().rfind(dir.File("gone.png") + ": Bilddatei kann nicht gelesen", 0),
              0u)
        << missing.message();

    // A PNG that is really a JPEG: the loader the name chose refuses it.
    dir.Write("liar.png", Samples()[1].bytes);
    Result<Bitmap> liar = LoadImage(dir.File("liar.png"));
    ASSERT_FALSE(liar.ok());
    EXPECT_EQ(liar.message().rfind(dir.File("liar.png") + ": Bilddatei ist beschädigt", 0), 0u)
        << liar.message();
}

TEST(ImageLoaderTest, EveryTruncationOfEveryKindFailsWithAMessage) {
    for (const Sample& sample : Samples()) {
        const ImageKind kind = *ImageKindFromPath(sample.name);
        ASSERT_TRUE(DecodeImage(kind, AsBytes(sample.bytes)).ok()) << sample.name;
        // Every prefix that cuts into the picture data; the last few bytes of a JPEG (its
        // end marker) and of a PNG (IEND) are not needed for the pixels.
        // The same goes for a GIF's closing ";".
        const std::size_t keep = sample.name == "p.png"   ? 12
                                 : sample.name == "p.jpg" ? 2
                                 : sample.name == "p.gif" ? 1
                                                          : 0;
        for (std::size_t length = 0; length + keep < sample.bytes.size(); ++length) {
            Result<Bitmap> cut =
                DecodeImage(kind, AsBytes(std::string_view(sample.bytes).substr(0, length)));
            ASSERT_FALSE(cut.ok()) << sample.name << " cut to " << length;
            EXPECT_FALSE(cut.message().empty());
        }
    }
}

TEST(ImageLoaderTest, ScrambledBytesNeverCrashAndFailuresAlwaysSayWhy) {
    // A deterministic scramble: every 7th byte of the body replaced, in several patterns.
    for (const Sample& sample : Samples()) {
        const ImageKind kind = *ImageKindFromPath(sample.name);
        for (unsigned pattern = 1; pattern < 40; ++pattern) {
            std::string bytes = sample.bytes;
            for (std::size_t i = 6 + pattern % 7; i < bytes.size(); i += 7 + pattern % 5)
                bytes[i] = static_cast<char>(bytes[i] ^ (pattern * 37 + i));
            Result<Bitmap> decoded = DecodeImage(kind, AsBytes(bytes));
            if (decoded.ok()) {
                EXPECT_GT(decoded->width(), 0);
                EXPECT_EQ(decoded->size_bytes(), static_cast<std::size_t>(decoded->width()) *
                                                     decoded->height() * decoded->channels());
            } else {
                EXPECT_FALSE(decoded.message().empty()) << sample.name;
            }
        }
    }
}

TEST(ImageLoaderTest, LoadingForASizeGivesExactlyThatSize) {
    TempDir dir;
    ASSERT_TRUE(SaveJpeg(Picture(640, 480), dir.File("big.jpg")).ok());
    dir.Write("small.png", testing::EncodePng(Picture(40, 30)));
    for (const char* name : {"big.jpg", "small.png"}) {
        for (auto [width, height] :
             {std::pair(160, 120), std::pair(300, 77), std::pair(1024, 768)}) {
            Result<Bitmap> fitted = LoadImageForSize(dir.File(name), width, height);
            ASSERT_TRUE(fitted.ok()) << fitted.message();
            EXPECT_EQ(fitted->width(), width);
            EXPECT_EQ(fitted->height(), height);
            const Colour corner = fitted->Pixel(width / 8, height / 8);
            const Colour rest = fitted->Pixel(width - 2, height - 2);
            EXPECT_NEAR(corner.r, kPurple.r, 10) << name << " " << width;
            EXPECT_NEAR(rest.g, kGreen.g, 10) << name << " " << width;
        }
    }
    EXPECT_FALSE(LoadImageForSize(dir.File("big.jpg"), 0, 100).ok());
    EXPECT_FALSE(LoadImageForSize(dir.File("nothing.jpg"), 10, 10).ok());
}

TEST(ImageLoaderTest, FittingChoosesTheSizeFromTheNaturalOne) {
    TempDir dir;
    ASSERT_TRUE(SaveJpeg(Picture(640, 480), dir.File("big.jpg")).ok());
    dir.Write("small.png", testing::EncodePng(Picture(40, 30)));
    for (const char* name : {"big.jpg", "small.png"}) {
        NaturalSize asked_for;
        Result<FittedImage> fitted = LoadImageFitted(dir.File(name), [&](NaturalSize natural) {
            asked_for = natural;
            return NaturalSize{natural.width / 4, natural.height / 2};
        });
        ASSERT_TRUE(fitted.ok()) << fitted.message();
        EXPECT_EQ(asked_for.width, fitted->natural.width);
        EXPECT_EQ(fitted->bitmap.width(), fitted->natural.width / 4) << name;
        EXPECT_EQ(fitted->bitmap.height(), fitted->natural.height / 2) << name;
        EXPECT_NEAR(fitted->bitmap.Pixel(1, 1).r, kPurple.r, 10) << name;
    }
    Result<FittedImage> big = LoadImageFitted(dir.File("big.jpg"), [](NaturalSize n) { return n; });
    ASSERT_TRUE(big.ok());
    EXPECT_EQ(big->natural.width, 640);
    EXPECT_EQ(big->natural.height, 480);
    EXPECT_EQ(big->bitmap.width(), 640);

    const auto keep = [](NaturalSize n) { return n; };
    dir.Write("broken.jpg", "\xFF\xD8 not really");
    for (const char* name : {"broken.jpg", "missing.png"}) {
        Result<FittedImage> failed = LoadImageFitted(dir.File(name), keep);
        ASSERT_FALSE(failed.ok());
        EXPECT_TRUE(failed.message().starts_with(dir.File(name))) << failed.message();
    }
    EXPECT_FALSE(LoadImageFitted(dir.File("big.jpg"), [](NaturalSize) {
                     return NaturalSize{0, 5};
                 }).ok());
}

TEST(ImageLoaderTest, TheFuzzSeedsAreValidPictures) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ORVELLA_FUZZ_SEEDS)) {
        const std::optional<ImageKind> kind = ImageKindFromPath(entry.path().string());
        if (!entry.is_regular_file() || !kind)
            continue;
        Result<Bitmap> decoded = LoadImage(entry.path().string());
        EXPECT_TRUE(decoded.ok()) << decoded.message();
        ++count;
    }
    EXPECT_GE(count, 15);
}

}  // namespace
}  // namespace orvella
