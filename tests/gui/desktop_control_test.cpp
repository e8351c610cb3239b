#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "codecs/compose.h"
#include "codecs/jpeg_encoder.h"
#include "gui/desktop_control_painter.h"
#include "gui/desktop_control_renderer.h"
#include "gui/desktop_control_timers.h"
#include "platform/registry/registry_file.h"
#include "settings/settings_places.h"
#include "support/temp_dir.h"
#include "wallpaper/starfield_state.h"
#include "wallpaper/wallpaper_pages.h"

namespace orvella {
namespace {

using testing::TempDir;

void SaveFlat(const std::string& path, int width, int height, Colour colour) {
    Result<Bitmap> bitmap = Bitmap::Create(width, height, PixelFormat::Rgb);
    ASSERT_TRUE(bitmap.ok());
    Fill(*bitmap, colour);
    ASSERT_TRUE(SaveJpeg(*bitmap, path).ok());
}

QColor Of(ColorRef colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// JPEG keeps a flat colour within a few steps.
bool Near(const QColor& seen, const QColor& wanted, int tolerance = 6) {
    return std::abs(seen.red() - wanted.red()) <= tolerance &&
           std::abs(seen.green() - wanted.green()) <= tolerance &&
           std::abs(seen.blue() - wanted.blue()) <= tolerance;
}

int CountNear(const QImage& image, const QRect& area, const QColor& wanted, int tolerance) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += Near(image.pixelColor(x, y), wanted, tolerance) ? 1 : 0;
    return count;
}

bool StripHas(const QImage& image, const QRect& cell, const QColor& wanted) {
    for (int x = cell.left(); x < cell.left() + 5; ++x) {
        if (image.pixelColor(x, cell.center().y()) == wanted)
            return true;
    }
    return false;
}

CalendarColours TestColours() {
    CalendarColours colours;
    colours.back = MakeColorRef(250, 240, 10);
    colours.text = MakeColorRef(0, 0, 0);
    colours.title_back = MakeColorRef(200, 0, 0);
    colours.title_text = MakeColorRef(0, 0, 120);
    colours.month_back = MakeColorRef(225, 230, 255);
    colours.trailing_text = MakeColorRef(0, 150, 0);
    return colours;
}

DesktopControlScene CalendarScene(const TempDir& dir) {
    DesktopControlScene scene;
    scene.page = DesktopControlPage{DesktopControlPageKind::Calendar, MakeColorRef(0, 0, 255),
                                    dir.File("Orvella.jpg"), 1004, 753};
    scene.settings.colours = TestColours();
    scene.settings.font.name = "DejaVu Sans";
    scene.today = CivilDate{2026, 12, 9};
    scene.screen = QSize(1024, 768);
    scene.control_image = dir.File("Orvella2.jpg");
    return scene;
}

TEST(DesktopControlPainterTest, TheCalendarStandsInTheControlBoxInItsColoursAndThePictureAround) {
    TempDir dir;
    SaveFlat(dir.File("Orvella.jpg"), 1024, 768, Colour{40, 160, 60});
    SaveFlat(dir.File("Orvella2.jpg"), 1004, 753, Colour{160, 60, 40});
    const DesktopControlScene scene = CalendarScene(dir);
    const QImage image = PaintDesktopControl(scene);
    ASSERT_EQ(image.size(), QSize(1024, 768));
    const CalendarColours& colours = scene.settings.colours;

    // The background picture around the control's box, the control's picture in it.
    EXPECT_TRUE(Near(image.pixelColor(5, 5), QColor(40, 160, 60)));
    EXPECT_TRUE(Near(image.pixelColor(1019, 400), QColor(40, 160, 60)));
    EXPECT_TRUE(Near(image.pixelColor(20, 750), QColor(160, 60, 40)));

    // The calendar in the top right corner of the box, whole.
    const CalendarPlacement at = PlaceCalendar(scene);
    const QRect box = ControlBoxOf(scene.page);
    EXPECT_TRUE(box.contains(at.panel)) << at.panel.x() << "," << at.panel.y();
    EXPECT_GT(at.panel.left(), box.center().x());
    EXPECT_LT(box.right() - at.panel.right(), 40);
    EXPECT_LT(at.panel.top() - box.top(), 40);
    EXPECT_TRUE(
        Near(image.pixelColor(at.panel.left() - 3, at.panel.center().y()), QColor(160, 60, 40)));

    EXPECT_EQ(image.pixelColor(at.panel.left() + 2, at.panel.center().y()), Of(colours.back));
    EXPECT_EQ(image.pixelColor(at.title.left() + 2, at.title.top() + 2), Of(colours.title_back));
    EXPECT_EQ(image.pixelColor(at.face.right() - 2, at.face.bottom() - 2), Of(colours.month_back));
    // Month and year on the band, the days, the neighbouring months' days.
    EXPECT_GT(CountNear(image, at.title, Of(colours.title_text), 40), 20);
    EXPECT_GT(CountNear(image, at.face, Of(colours.text), 40), 100);
    EXPECT_GT(CountNear(image, at.face, Of(colours.trailing_text), 40), 20);

    // Today's frame: 9 December 2026, a Wednesday; the Thursday beside it has none.
    ASSERT_TRUE(at.face.contains(at.today));
    EXPECT_TRUE(StripHas(image, at.today, Of(colours.title_back)));
    EXPECT_FALSE(StripHas(image, at.today.translated(at.today.width(), 0), Of(colours.title_back)));
}

TEST(DesktopControlPainterTest, CentredThePictureStandsInTheMiddleOnTheDesktopColour) {
    TempDir dir;
    SaveFlat(dir.File("Orvella2.jpg"), 100, 80, Colour{200, 200, 0});
    DesktopControlScene scene = CalendarScene(dir);  // no "Orvella.jpg"
    scene.settings.centre_image = true;
    const QImage image = PaintDesktopControl(scene);
    EXPECT_TRUE(Near(image.pixelColor(512, 391), QColor(200, 200, 0)));
    EXPECT_EQ(image.pixelColor(30, 700), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(458, 391), QColor(0, 0, 255));  // left of the picture

    // A larger screen has a larger calendar, still in the box.
    scene.screen = QSize(1920, 1080);
    scene.page.control_width = 1900;
    scene.page.control_height = 1065;
    const CalendarPlacement large = PlaceCalendar(scene);
    EXPECT_GT(large.panel.width(), PlaceCalendar(CalendarScene(dir)).panel.width());
    EXPECT_TRUE(ControlBoxOf(scene.page).contains(large.panel));

    // A face too large for a small screen is made smaller rather than cut.
    scene.screen = QSize(640, 480);
    scene.page.control_width = 620;
    scene.page.control_height = 465;
    scene.settings.font.size = 96;
    scene.settings.font.bold = true;
    const CalendarPlacement fitted = PlaceCalendar(scene);
    EXPECT_TRUE(ControlBoxOf(scene.page).contains(fitted.panel))
        << fitted.panel.width() << "x" << fitted.panel.height();
    EXPECT_GT(fitted.panel.width(), 300);
}

TEST(DesktopControlPainterTest, TheStarfieldIsOverBlackAndMovesFromFrameToFrame) {
    DesktopControlScene scene;
    scene.page = DesktopControlPage{DesktopControlPageKind::Starfield, 0, "", 380, 285};
    scene.screen = QSize(400, 300);
    const QImage still = PaintDesktopControl(scene);
    ASSERT_EQ(still.size(), QSize(400, 300));
    const QRect box = ControlBoxOf(scene.page);
    EXPECT_EQ(still.pixelColor(3, 3), QColor(Qt::black));
    EXPECT_EQ(still.pixelColor(395, 150), QColor(Qt::black));
    const int area = box.width() * box.height();
    const int lit = area - CountNear(still, box, QColor(Qt::black), 8);
    EXPECT_GT(lit, 100);
    EXPECT_LT(lit, area / 10);
    EXPECT_EQ(still, PaintDesktopControl(scene));  // the same sky at every drawing
    EXPECT_EQ(still, PaintStarfield(scene.screen, box, 0));
    EXPECT_NE(still, PaintStarfield(scene.screen, box, 6));
}

class RecordingPages : public PageRenderer {
public:
    Result<std::string> PictureForPage(const std::string& page) const override {
        asked.push_back(page);
        return std::string("other.png");
    }
    mutable std::vector<std::string> asked;
};

TEST(DesktopControlRendererTest, OurPagesAreDrawnByTurnsIntoTwoFilesAndOthersGoOn) {
    TempDir dir;
    RegistryFile registry(dir.File("hive.reg"));
    auto clock = std::make_shared<HostClock>(1796000000);  // December 2026
    auto others = std::make_unique<RecordingPages>();
    RecordingPages& asked = *others;
    std::vector<DesktopControlScene> drawn;
    DesktopControlRenderer renderer(DesktopControlRenderer::Sources{
        .program_dir = dir.path(),
        .registry = registry,
        .clock = clock,
        .screen = [] { return QSize(640, 480); },
        .others = std::move(others),
        .drawn = [&drawn](const DesktopControlScene& scene) { drawn.push_back(scene); },
    });
    dir.Write("Orvella.htm",
              "<HTML><BODY BGCOLOR=\"#204060\" BACKGROUND=\"\">\r\n<object width=\"620\" "
              "height=\"465\"\r\n classid=\"CLSID:" +
                  std::string(kDesktopControlClassId) + "\">\r\n</object></BODY></HTML>\r\n");

    // The calendar key is read at every drawing.
    const std::vector<std::pair<std::string, QColor>> rounds = {
        {"OrvellaDesktop1.png", QColor(255, 0, 0)},
        {"OrvellaDesktop2.png", QColor(0, 255, 0)},
        {"OrvellaDesktop1.png", QColor(0, 0, 255)},
    };
    for (const auto& [file, colour] : rounds) {
        const ColorRef value = MakeColorRef(colour.red(), colour.green(), colour.blue());
        ASSERT_TRUE(registry
                        .WriteValues(RegistryRoot::CurrentUser, CalendarKeyPath(),
                                     {RegistryValue::String("MonthCalendar_CalColorsBackColor",
                                                            std::to_string(value))})
                        .ok());
        Result<std::string> picture = renderer.PictureForPage(dir.File("Orvella.htm"));
        ASSERT_TRUE(picture.ok()) << picture.message();
        EXPECT_EQ(*picture, dir.File(file));
        const QImage image(QString::fromStdString(*picture));
        ASSERT_EQ(image.size(), QSize(640, 480));
        EXPECT_EQ(image.pixelColor(3, 3), QColor(0x20, 0x40, 0x60));
        ASSERT_FALSE(drawn.empty());
        const QRect panel = PlaceCalendar(drawn.back()).panel;
        EXPECT_EQ(image.pixelColor(panel.left() + 2, panel.center().y()), colour) << file;
    }
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn.back().today, LocalDate(clock->Now()));
    EXPECT_EQ(drawn.back().control_image, dir.File("Orvella2.jpg"));

    // The control's picture where the options said the program lies, unless it is not there.
    const DesktopControlPage& page = drawn.back().page;
    ASSERT_TRUE(
        registry
            .WriteValues(RegistryRoot::CurrentUser, CalendarKeyPath(),
                         {RegistryValue::String("WallpaperPath_Caption", dir.File("moved/"))})
            .ok());
    EXPECT_EQ(renderer.SceneFor(page).control_image, dir.File("Orvella2.jpg"));
    ASSERT_TRUE(std::filesystem::create_directory(dir.File("moved")));
    dir.Write("moved/Orvella2.jpg", "picture");
    EXPECT_EQ(renderer.SceneFor(page).control_image, dir.File("moved/Orvella2.jpg"));

    // A page of the user's own goes to the other renderer, a missing one is an error.
    dir.Write("mine.htm", "<html><body>mine</body></html>");
    Result<std::string> mine = renderer.PictureForPage(dir.File("mine.htm"));
    ASSERT_TRUE(mine.ok());
    EXPECT_EQ(*mine, "other.png");
    EXPECT_EQ(asked.asked, std::vector<std::string>{dir.File("mine.htm")});
    EXPECT_FALSE(renderer.PictureForPage(dir.File("gone.htm")).ok());
    EXPECT_EQ(drawn.size(), 3u);
}

TEST(DesktopControlTimersTest, TheCalendarIsDrawnAgainJustAfterMidnightAndAfterASleep) {
    const std::int64_t midnight = NextLocalMidnight(std::time(nullptr));
    const HostClock clock(midnight - 2);  // as ORVELLA_TIME fixes it
    CalendarClock day(clock);
    std::vector<CivilDate> redrawn;
    std::vector<bool> new_days;
    std::vector<std::string> warned;
    Status answer;
    TDesktopControlTimers timers(TDesktopControlTimers::Parts{
        .clock = clock,
        .day = day,
        .redraw =
            [&](bool new_day) {
                redrawn.push_back(LocalDate(day.Now()));
                new_days.push_back(new_day);
                return answer;
            },
        .warn = [&warned](const Status& s) { warned.push_back(s.message()); },
    });
    EXPECT_EQ(timers.MsToMidnightRedraw(), 3000);
    timers.Start();
    ASSERT_EQ(redrawn.size(), 1u);
    EXPECT_EQ(redrawn[0], LocalDate(midnight - 2));
    EXPECT_TRUE(timers.HourTimer().isActive());
    EXPECT_EQ(timers.HourTimer().interval(), TDesktopControlTimers::kHourMs);

    // The clock stands still, yet the drawing after the timer shows the new day.
    EXPECT_TRUE(QTest::qWaitFor([&] { return redrawn.size() == 2; }, 8000));
    ASSERT_EQ(redrawn.size(), 2u);
    EXPECT_EQ(redrawn[1], LocalDate(midnight));
    EXPECT_NE(redrawn[1], redrawn[0]);
    EXPECT_EQ(timers.MsToMidnightRedraw(), (NextLocalMidnight(midnight) + 1 - clock.Now()) * 1000);

    // The hourly look draws only when the day changed unseen (a night in suspend).
    timers.HourTimerTimer();
    EXPECT_EQ(redrawn.size(), 2u);
    day.NotBefore(NextLocalMidnight(midnight));
    answer = Status::Error("the desktop is gone");
    timers.HourTimerTimer();
    ASSERT_EQ(redrawn.size(), 3u);
    EXPECT_EQ(redrawn[2], LocalDate(NextLocalMidnight(midnight)));
    EXPECT_EQ(warned, std::vector<std::string>{"the desktop is gone"});
    EXPECT_EQ(new_days, (std::vector<bool>{false, true, true}));
}

}  // namespace
}  // namespace orvella
