#include <sys/stat.h>

#include "engine_fixture.h"
#include "platform/files/files.h"
#include "platform/registry/registry_file.h"
#include "settings/settings_places.h"
#include "support/replacement_count.h"
#include "wallpaper/starfield_state.h"

namespace orvella {
namespace {

using testing::EngineFixture;
using testing::ShownMessage;

const ShownMessage kEnableActiveDesktop{
    "Um diese Hintergrundgrafik korrekt darzustellen muß der Active Desktop aktiviert werden. "
    "Soll der Active Desktop aktiviert werden?",
    "Active Desktop aktivieren?", MessageStyle::YesNoQuestion};
const ShownMessage kCopyFailure{
    "Das Hintergrundbild konnte nicht geändert werden. Orvella Fehler 1.", "Orvella Fehler",
    MessageStyle::Error};

class ApplyWallpaperTest : public EngineFixture {};

TEST_F(ApplyWallpaperTest, LowerCaseBitmapOnAClassicDesktopTakesTheRegistryRoute) {
    Start("98");
    const std::string source = Picture("holiday.bmp", "BM bytes");
    struct Row {
        int wall_props;
        const char* tile;
        const char* style;
        WallpaperStyle shown;
    };
    for (const Row& row :
         {Row{0, "0", "1", WallpaperStyle::Centre}, Row{1, "1", "0", WallpaperStyle::Tile},
          Row{2, "0", "2", WallpaperStyle::Stretch}}) {
        settings.SetWallProps(WallProps{row.wall_props});
        ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
        EXPECT_EQ(ReadString("Control Panel\\Desktop", "TileWallpaper"), row.tile);
        EXPECT_EQ(ReadString("Control Panel\\Desktop", "WallpaperStyle"), row.style);
        EXPECT_EQ(Recorded().back(), Line(WallpaperRoute::Registry, Prog("Orvella.bmp"), row.shown))
            << row.wall_props;
    }
    EXPECT_EQ(dir.Read("prog/Orvella.bmp"), "BM bytes");
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "Wallpaper"), Prog("Orvella.bmp"));
    EXPECT_EQ(Recorded().size(), 3u);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(warnings.empty());

    // A display mode outside 0 to 2 writes neither value; the wallpaper is still set.
    settings.SetWallProps(WallProps{7});
    ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "TileWallpaper"), "0");
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "WallpaperStyle"), "2");
    EXPECT_EQ(Recorded().size(), 4u);
}

TEST_F(ApplyWallpaperTest, MissingDesktopKeyIsNotCreatedButTheWallpaperIsStillSet) {
    Start("2000");
    ASSERT_TRUE(platform->registry->DeleteKey(RegistryRoot::CurrentUser, "Control Panel\\Desktop"));
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("a.bmp")).ok());
    // Only what SystemParametersInfo itself keeps: the file, no display values.
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "Wallpaper"), Prog("Orvella.bmp"));
    EXPECT_FALSE(ReadString("Control Panel\\Desktop", "TileWallpaper").has_value());
    EXPECT_EQ(Recorded(),
              std::vector<std::string>{
                  Line(WallpaperRoute::Registry, Prog("Orvella.bmp"), WallpaperStyle::Centre)});
}

TEST_F(ApplyWallpaperTest, UpperCaseBmpOnAClassicDesktopAsksForTheActiveDesktop) {
    Start("me");
    settings.SetChangeSound("/sounds/change.wav");
    const std::string source = Picture("HOLIDAY.BMP");

    prompter.QueueNo();
    ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
    EXPECT_TRUE(FileExists(Prog("Orvella.BMP")));  // the extension keeps its case
    EXPECT_EQ(prompter.shown(), std::vector<ShownMessage>{kEnableActiveDesktop});
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));  // No: the wallpaper stays
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "WallpaperStyle"), "0");  // as Windows set it
    EXPECT_FALSE(engine->IsActiveDesktopOn());
    // The sound follows the route step, a declined prompt included.
    EXPECT_EQ(sound.played, std::vector<std::string>{"/sounds/change.wav"});

    prompter.QueueYes();
    settings.SetWallProps(WallProps::Tile);
    ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
    EXPECT_TRUE(engine->IsActiveDesktopOn());
    EXPECT_EQ(Recorded(),
              std::vector<std::string>{
                  Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.BMP"), WallpaperStyle::Tile)});
    EXPECT_EQ(sound.played.size(), 2u);

    // Once on, the Active Desktop takes every picture without asking, a .bmp too.
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("b.bmp")).ok());
    EXPECT_EQ(Recorded().back(),
              Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.bmp"), WallpaperStyle::Tile));
    EXPECT_EQ(prompter.shown().size(), 2u);
}

// However many values a change writes (the starfield state, the desktop's values, the
// Active Desktop switch), the hive is replaced once.
TEST_F(ApplyWallpaperTest, EachChangeReplacesTheHiveOnce) {
    Start("me");
    settings.SetWallProps(WallProps::Tile);
    testing::ReplacementCount replacements;
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("a.bmp")).ok());  // the registry route
    EXPECT_EQ(replacements.Of(dir.File("hive.reg")), 1);
    prompter.QueueYes();
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("b.png")).ok());  // switched on, then set
    EXPECT_EQ(replacements.Of(dir.File("hive.reg")), 2);
    EXPECT_EQ(Recorded().size(), 2u);
    EXPECT_TRUE(RegistryFile(dir.File("hive.reg"))
                    .Read()
                    .value()
                    .FindValue("HKEY_CURRENT_USER\\Software\\Brenmark Software\\Orvella\\Calendar",
                               "Sfx_Checked"));
}

TEST_F(ApplyWallpaperTest, WindowsXpNeverTakesTheRegistryRoute) {
    Start("xp");
    settings.SetWallProps(WallProps::Stretch);
    for (const char* name : {"a.bmp", "b.jpg", "c.png", "d.gif", "noextension"}) {
        ASSERT_TRUE(engine->ApplyWallpaper(Picture(name)).ok()) << name;
    }
    const std::vector<std::string> expected = {
        Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.bmp"), WallpaperStyle::Stretch),
        Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.jpg"), WallpaperStyle::Stretch),
        Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.png"), WallpaperStyle::Stretch),
        Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.gif"), WallpaperStyle::Stretch),
        Line(WallpaperRoute::ActiveDesktop, Prog("Orvella"), WallpaperStyle::Stretch)};
    EXPECT_EQ(Recorded(), expected);
    EXPECT_EQ(ReadString("Control Panel\\Desktop", "WallpaperStyle"), "0");  // as Windows set it
    EXPECT_FALSE(engine->IsActiveDesktopOn());  // XP is not switched on, just used
    EXPECT_TRUE(prompter.shown().empty());
    // Older copies with other extensions stay beside the program.
    EXPECT_TRUE(FileExists(Prog("Orvella.bmp")));
}

TEST_F(ApplyWallpaperTest, OtherPicturesAndFilesWithoutExtensionPromptOnAClassicDesktop) {
    Start("nt4");
    for (const char* name : {"a.jpg", "b.jpeg", "c.png", "d.gif", "noextension"}) {
        prompter.QueueNo();
        ASSERT_TRUE(engine->ApplyWallpaper(Picture(name)).ok()) << name;
    }
    EXPECT_EQ(prompter.shown().size(), 5u);
    EXPECT_TRUE(FileExists(Prog("Orvella")));
    EXPECT_TRUE(FileExists(Prog("Orvella.jpeg")));
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
}

TEST_F(ApplyWallpaperTest, AnHtmlPageIsSetAsItIsWhateverTheCalendarSays) {
    Start("xp");
    settings.SetCalendar(true);
    const std::string page = Picture("Page.HTML", "<html></html>");
    ASSERT_TRUE(engine->ApplyWallpaper(page).ok());
    EXPECT_EQ(Recorded(), std::vector<std::string>{
                              Line(WallpaperRoute::ActiveDesktop, page, WallpaperStyle::Centre)});
    EXPECT_TRUE(calendar.calls.empty());
    EXPECT_FALSE(FileExists(Prog("Orvella.HTML")));

    // A page that does not exist is handed on unchecked.
    ASSERT_TRUE(engine->ApplyWallpaper(dir.File("missing.htm")).ok());
    EXPECT_EQ(Recorded().back(),
              Line(WallpaperRoute::ActiveDesktop, dir.File("missing.htm"), WallpaperStyle::Centre));
}

TEST_F(ApplyWallpaperTest, AnHtmlPageOnAClassicDesktopNeedsTheActiveDesktop) {
    Start("95");
    const std::string page = Picture("page.htm", "<html></html>");
    prompter.QueueNo();
    ASSERT_TRUE(engine->ApplyWallpaper(page).ok());
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    prompter.QueueYes();
    ASSERT_TRUE(engine->ApplyWallpaper(page).ok());
    EXPECT_EQ(Recorded(), std::vector<std::string>{
                              Line(WallpaperRoute::ActiveDesktop, page, WallpaperStyle::Centre)});
}

TEST_F(ApplyWallpaperTest, AGifWithTheCalendarOnIsSetAsTheCopy) {
    Start("vista");
    settings.SetCalendar(true);
    prompter.QueueNo();  // Vista is not XP: the classic desktop asks
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("anim.GIF")).ok());
    EXPECT_TRUE(calendar.calls.empty());
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    EXPECT_TRUE(FileExists(Prog("Orvella.GIF")));
    EXPECT_EQ(prompter.shown().size(), 1u);

    Start("xp");
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("anim.gif")).ok());
    EXPECT_TRUE(calendar.calls.empty());
    EXPECT_EQ(Recorded(),
              std::vector<std::string>{Line(WallpaperRoute::ActiveDesktop, Prog("Orvella.gif"),
                                            WallpaperStyle::Centre)});
}

TEST_F(ApplyWallpaperTest, TheCalendarPreparesByDisplayModeThenWritesThePage) {
    Start("xp");
    settings.SetCalendar(true);
    const std::string source = Picture("photo.jpg");
    const std::string copy = Prog("Orvella.jpg");
    struct Row {
        int wall_props;
        std::vector<std::string> calls;
    };
    const std::string page_call = "Page:" + PagePath();
    for (const Row& row :
         {Row{0, {"Centred:" + copy, page_call}}, Row{1, {"Tiled:" + copy, page_call}},
          Row{2, {"Stretched:" + copy, page_call}}, Row{3, {page_call}}}) {
        calendar.calls.clear();
        settings.SetWallProps(WallProps{row.wall_props});
        ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
        EXPECT_EQ(calendar.calls, row.calls) << row.wall_props;
    }
    const std::vector<std::string> recorded = Recorded();
    ASSERT_EQ(recorded.size(), 4u);
    EXPECT_EQ(recorded[0], Line(WallpaperRoute::ActiveDesktop, PagePath(), WallpaperStyle::Centre));
    EXPECT_EQ(recorded[2],
              Line(WallpaperRoute::ActiveDesktop, PagePath(), WallpaperStyle::Stretch));

    // On a classic desktop the page needs the Active Desktop like any page.
    Start("98");
    calendar.calls.clear();
    settings.SetWallProps(WallProps::Centre);
    prompter.QueueNo();
    ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
    EXPECT_EQ(calendar.calls.size(), 2u);
    EXPECT_EQ(Recorded().size(), 4u);
}

TEST_F(ApplyWallpaperTest, AFailedCalendarStepStopsTheChange) {
    Start("xp");
    settings.SetCalendar(true);
    settings.SetChangeSound("/s.wav");
    const std::string source = Picture("photo.png");

    calendar.fail_step = "Centred";
    Status result = engine->ApplyWallpaper(source);
    EXPECT_EQ(result.message(), "Centred failed");
    EXPECT_EQ(calendar.calls.size(), 1u);  // no page after a failed image

    calendar.fail_step = "Page";
    result = engine->ApplyWallpaper(source);
    EXPECT_EQ(result.message(), "Page failed");
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    EXPECT_TRUE(sound.played.empty());

    // Until the calendar is built, its steps say so and nothing is set.
    UnavailableCalendarPreparation unavailable;
    TWallpaperEngine bare(*platform, catalogue, prompter, settings, sound, unavailable);
    EXPECT_EQ(bare.ApplyWallpaper(source).message(), UnavailableCalendarPreparation::kMessage);
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
}

TEST_F(ApplyWallpaperTest, ARunningScreenSaverLeavesNoTrace) {
    Start("98", "running");
    const std::string before = dir.Read("hive.reg");
    settings.SetChangeSound("/s.wav");
    settings.SetCalendar(true);
    for (const char* name : {"a.bmp", "b.jpg", "c.htm"})
        ASSERT_TRUE(engine->ApplyWallpaper(Picture(name)).ok());
    EXPECT_EQ(dir.Read("hive.reg"), before);
    EXPECT_FALSE(FileExists(Prog("Orvella.bmp")));
    EXPECT_FALSE(FileExists(Prog("Orvella.jpg")));
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(calendar.calls.empty());
}

TEST_F(ApplyWallpaperTest, AFailedCopyIsReportedAndNothingElseHappens) {
    Start("xp");
    settings.SetChangeSound("/s.wav");
    prompter.QueueOk();
    ASSERT_TRUE(engine->ApplyWallpaper(dir.File("gone.jpg")).ok());
    EXPECT_EQ(prompter.shown(), std::vector<ShownMessage>{kCopyFailure});
    EXPECT_FALSE(FileExists(dir.File("record.jsonl")));
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(ApplyWallpaperTest, AReadOnlySourceGivesANormalCopy) {
    Start("xp");
    const std::string source = Picture("locked.jpg", "first");
    ASSERT_EQ(::chmod(source.c_str(), 0444), 0);
    ASSERT_TRUE(engine->ApplyWallpaper(source).ok());
    struct stat info {};
    ASSERT_EQ(::stat(Prog("Orvella.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    // So the next copy over it succeeds.
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("next.jpg", "second")).ok());
    EXPECT_EQ(dir.Read("prog/Orvella.jpg"), "second");
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ApplyWallpaperTest, OnlyTheExactPagePathKeepsTheStarfieldState) {
    Start("xp");
    ASSERT_TRUE(StoreStarfieldState(*platform->registry, "Advanced", "true"));
    dir.Write("win/Orvella.htm", "<html></html>");
    ASSERT_TRUE(engine->ApplyWallpaper(PagePath()).ok());
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfx_Checked"), "true");
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfxtype_Caption"), "Advanced");

    // The same page spelled in another case is another file as far as the state goes.
    std::string other_case = PagePath();
    other_case.replace(other_case.size() - 11, 11, "ORVELLA.HTM");
    ASSERT_TRUE(engine->ApplyWallpaper(other_case).ok());
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfx_Checked"), "false");
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfxtype_Caption"), "");

    ASSERT_TRUE(StoreStarfieldState(*platform->registry, "Simple", "true"));
    ASSERT_TRUE(engine->ApplyWallpaper(Picture("x.jpg")).ok());
    EXPECT_EQ(ReadString(CalendarKeyPath(), "Sfx_Checked"), "false");
}

TEST_F(ApplyWallpaperTest, ASoundThatCannotBePlayedIsReportedAfterTheChange) {
    Start("xp");
    settings.SetChangeSound("/sounds/broken.wav");
    sound.failure = "The file cannot be opened as a sound";
    Status result = engine->ApplyWallpaper(Picture("a.jpg"));
    EXPECT_EQ(result.message(), "The file cannot be opened as a sound");
    EXPECT_EQ(Recorded().size(), 1u);  // the wallpaper has changed all the same

    // No sound configured: nothing is played at all.
    settings.SetChangeSound("");
    sound.played.clear();
    EXPECT_TRUE(engine->ApplyWallpaper(Picture("b.jpg")).ok());
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(ApplyWallpaperTest, ShellQueriesFollowThePlatform) {
    Start("2000");
    EXPECT_FALSE(engine->IsWinXP());
    EXPECT_FALSE(engine->IsScreenSaverRunning());
    EXPECT_EQ(engine->GetWindowsDir(), dir.File("win"));
    EXPECT_EQ(engine->CalendarPagePath(), dir.File("win/Orvella.htm"));
    EXPECT_FALSE(engine->IsActiveDesktopOn());
    engine->EnableActiveDesktop();
    EXPECT_TRUE(engine->IsActiveDesktopOn());
    Start("xp");
    EXPECT_TRUE(engine->IsWinXP());
}

}  // namespace
}  // namespace orvella
