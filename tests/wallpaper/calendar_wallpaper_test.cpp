#include "wallpaper/calendar_wallpaper.h"

#include <gtest/gtest.h>

#include <string>

#include "codecs/jpeg_encoder.h"
#include "engine_fixture.h"
#include "picture_checks.h"
#include "platform/files/files.h"
#include "settings/settings_places.h"
#include "wallpaper/starfield_state.h"
#include "wallpaper/wallpaper_pages.h"

namespace orvella::testing {
namespace {

// The pages as the desktop control's renderer gets them, written out here in full.
std::string Head() {
    return "<HTML>\r\n"
           "<HEAD>\r\n"
           "\r\n"
           "<META NAME=\"Description\" CONTENT=\"Part of the Orvella desktop wallpaper management "
           "software\">\r\n"
           "<META NAME=\"Publisher\" CONTENT=\"Written by Orvella, the desktop wallpaper manager, "
           "for its desktop control\">\r\n"
           "<META NAME=\"Contact\" CONTENT=\"dev@orvella.invalid\">\r\n"
           "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
           "\r\n"
           "<TITLE>Orvella Windows-Wallpaper</TITLE>\r\n"
           "\r\n"
           "</HEAD>\r\n";
}
std::string Tail(const std::string& width, const std::string& height) {
    return "\r\n"
           "<object width=\"" +
           width + "\" height=\"" + height +
           "\"\r\n"
           "        classid=\"CLSID:03026F81-A191-49E4-A4D8-DA8E191230F8\">\r\n"
           "</object>\r\n"
           "\r\n"
           "</BODY>\r\n"
           "</HTML>\r\n";
}

class CalendarWallpaperTest : public EngineFixture {
protected:
    void StartOn(const std::string& screen, const std::string& winver = "xp") {
        Start(winver, "stopped", {{"ORVELLA_SCREEN", screen}});
        wallpaper = std::make_unique<TCalendarWallpaper>(*platform);
        real = std::make_unique<TWallpaperEngine>(*platform, catalogue, prompter, settings, sound,
                                                  *wallpaper, [this](const Status& s) {
                                                      if (!s.ok())
                                                          warnings.push_back(s.message());
                                                  });
    }

    std::string CalendarPage(const std::string& colour, const std::string& width,
                             const std::string& height) const {
        return Head() + "<BODY BGCOLOR=\"" + colour + "\" BACKGROUND=\"" + Prog("Orvella.jpg") +
               "\">\r\n" + Tail(width, height);
    }

    std::unique_ptr<TCalendarWallpaper> wallpaper;
    std::unique_ptr<TWallpaperEngine> real;
};

TEST_F(CalendarWallpaperTest, ThePagesCarryTheDesktopColourAndTheControlBoxOfTheScreen) {
    StartOn("1280x1024");
    ASSERT_TRUE(platform->desktop_colours->SetBackground(MakeColorRef(58, 110, 165)).ok());
    ASSERT_TRUE(wallpaper->WriteCalendarPage(PagePath()).ok());
    EXPECT_EQ(dir.Read("win/Orvella.htm"), CalendarPage("#3A6EA5", "1260", "1009"));

    // A later colour shows in the next page only; each tag is looked up when the page is made.
    ASSERT_TRUE(platform->desktop_colours->SetBackground(MakeColorRef(0x0A, 0xB0, 0xFF)).ok());
    EXPECT_EQ(dir.Read("win/Orvella.htm"), CalendarPage("#3A6EA5", "1260", "1009"));
    ASSERT_TRUE(wallpaper->WriteCalendarPage(PagePath()).ok());
    EXPECT_EQ(dir.Read("win/Orvella.htm"), CalendarPage("#0AB0FF", "1260", "1009"));

    // The starfield page: black, no background image, the same control.
    ASSERT_TRUE(wallpaper->WriteStarfieldPage(PagePath()).ok());
    EXPECT_EQ(dir.Read("win/Orvella.htm"),
              Head() + "<BODY BGCOLOR=\"#000000\">\r\n" + Tail("1260", "1009"));

    EXPECT_EQ(ColorToHtml(MakeColorRef(1, 2, 254)), "0102FE");
}

TEST_F(CalendarWallpaperTest, TagsAreReplacedByNameAndNothingElseOfTheTemplateChanges) {
    StartOn("1024x768");
    TWallpaperPages pages("/prog/", *platform->screen, *platform->desktop_colours);
    EXPECT_EQ(pages.ProducePage("<#objwidth>x<#objheight> <#BGImage> <#bgcolor> <#Other> <# a <#"),
              "1004x753 /prog/Orvella.jpg <#bgcolor> <#Other> <# a <#");
    EXPECT_EQ(pages.ProducePage("<#BGColor><#BGColor>"), "#3A6EA5#3A6EA5");  // the default
}

TEST_F(CalendarWallpaperTest, AJpegWithTheCalendarOnBecomesTheScreenImageAndThePage) {
    StartOn("1024x768");
    settings.SetCalendar(true);
    settings.SetWallProps(WallProps::Stretch);
    const std::string source = dir.File("photo.JPG");
    ASSERT_TRUE(SaveJpeg(WaveBitmap(512, 384), source).ok());
    ASSERT_TRUE(real->ApplyWallpaper(source).ok());
    LoadSized(Prog("Orvella.jpg"), 1024, 768);
    LoadSized(Prog("Orvella2.jpg"), 1004, 753);
    EXPECT_EQ(dir.Read("win/Orvella.htm"), CalendarPage("#3A6EA5", "1004", "753"));
    EXPECT_EQ(Recorded(), std::vector<std::string>{Line(WallpaperRoute::ActiveDesktop, PagePath(),
                                                        WallpaperStyle::Stretch)});

    // Centred, a small JPEG goes to the control as it is and the page has no image left.
    settings.SetWallProps(WallProps::Centre);
    const std::string small = dir.File("small.jpg");
    ASSERT_TRUE(SaveJpeg(WaveBitmap(300, 200), small).ok());
    ASSERT_TRUE(real->ApplyWallpaper(small).ok());
    EXPECT_FALSE(FileExists(Prog("Orvella.jpg")));
    EXPECT_EQ(dir.Read("prog/Orvella2.jpg"), dir.Read("small.jpg"));
}

TEST_F(CalendarWallpaperTest, ADamagedPictureStopsTheChangeBeforeAnyPage) {
    StartOn("1024x768");
    settings.SetCalendar(true);
    const std::string source = Picture("broken.png", "\x89PNG\r\n\x1a\n but nothing after");
    for (const int wall_props : {0, 1, 2}) {
        settings.SetWallProps(WallProps{wall_props});
        const Status result = real->ApplyWallpaper(source);
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.message().find("Orvella.png"), std::string::npos) << result.message();
    }
    EXPECT_FALSE(FileExists(PagePath()));
    EXPECT_FALSE(FileExists(Prog("Orvella.jpg")));
    EXPECT_FALSE(FileExists(Prog("Orvella2.jpg")));
    EXPECT_TRUE(Recorded().empty());
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(CalendarWallpaperTest, TheStarfieldCommandsStoreTheirStateAndSetThePage) {
    StartOn("1280x1024");
    for (const std::string type : {"Simple", "Advanced"}) {
        ASSERT_TRUE(real->SetStarfieldWallpaper(type).ok());
        EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfx_Checked"), "true");
        EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfxtype_Caption"), type);
        EXPECT_EQ(dir.Read("win/Orvella.htm"),
                  Head() + "<BODY BGCOLOR=\"#000000\">\r\n" + Tail("1260", "1009"));
    }
    const std::string page =
        Line(WallpaperRoute::ActiveDesktop, PagePath(), WallpaperStyle::Centre);
    EXPECT_EQ(Recorded(), (std::vector<std::string>{page, page}));

    // On a classic desktop the page needs the Active Desktop; declined, nothing is set.
    StartOn("1280x1024", "98");
    prompter.QueueNo();
    ASSERT_TRUE(real->SetStarfieldWallpaper("Simple").ok());
    EXPECT_EQ(Recorded().size(), 2u);

    // The next picture clears the state again.
    ASSERT_TRUE(real->ApplyWallpaper(Picture("next.bmp")).ok());
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfx_Checked"), "false");
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfxtype_Caption"), "");
}

TEST_F(CalendarWallpaperTest, APageThatCannotBeWrittenStopsTheChange) {
    StartOn("1024x768");
    // A folder in the page's place cannot be replaced by a file.
    ASSERT_TRUE(EnsureDirectory(PagePath()).ok());
    EXPECT_FALSE(real->SetStarfieldWallpaper("Advanced").ok());
    settings.SetCalendar(true);
    settings.SetWallProps(WallProps::Tile);
    const std::string source = dir.File("tile.jpg");
    ASSERT_TRUE(SaveJpeg(WaveBitmap(64, 64), source).ok());
    EXPECT_FALSE(real->ApplyWallpaper(source).ok());
    EXPECT_TRUE(Recorded().empty());
    EXPECT_TRUE(sound.played.empty());
}

}  // namespace
}  // namespace orvella::testing
