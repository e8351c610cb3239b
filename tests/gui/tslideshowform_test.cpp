#include "gui/tslideshowform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QObject>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "gui/slide_image.h"
#include "gui/slide_prefetcher.h"
#include "gui/slideshow_engine.h"
#include "gui/slideshow_start.h"
#include "gui/tscreensaverform.h"
#include "shell/message_catalogue.h"
#include "support/bitmap_file.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace orvella::testing {
namespace {

constexpr ColorRef kNavy = 0x800000;

class TSlideShowFormTest : public ::testing::Test {
protected:
    // A picture of one colour (0xRRGGBB).
    std::string Picture(const std::string& name, int width, int height, std::uint32_t rgb) {
        dir_.Write(name, MakeBitmap24(width, height, [rgb](int, int) { return rgb; }));
        return dir_.File(name);
    }
    static QLabel* Label(const QWidget& form, const char* name) {
        return form.findChild<QLabel*>(name);
    }
    static TSlideImage* Image(const QWidget& form) { return form.findChild<TSlideImage*>("Image"); }
    static QString Text(const QWidget& form, const char* name) { return Label(form, name)->text(); }
    // Waits until the picture of that colour is in the window.
    static bool Shows(const QWidget& form, QRgb colour) {
        return QTest::qWaitFor(
            [&] {
                const QImage& picture = Image(form)->Picture();
                return !picture.isNull() && picture.pixel(0, 0) == (colour | 0xFF000000);
            },
            5000);
    }

    TempDir dir_;
};

TEST_F(TSlideShowFormTest, ABorderlessWindowOnTopWithTheLabelsInTheBottomLeftCorner) {
    TSlideShowForm form({dir_.File("a.gif"), dir_.File("gone.jpg"), dir_.File("page.HTML")},
                        {.interval_seconds = 1, .back_colour = kNavy});
    EXPECT_EQ(form.windowTitle(), "Orvella Dia-Show");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.cursor().shape(), Qt::BlankCursor);
    // Every entry passed over: 1 / 0 and the design text of the file name.
    EXPECT_EQ(Text(form, "LabelCurrPage"), "1");
    EXPECT_EQ(Text(form, "Label2"), "/");
    EXPECT_EQ(Text(form, "LabelTotalPage"), "0");
    EXPECT_EQ(Text(form, "LabelPicFilename"), "C:\\Windows");
    EXPECT_EQ(form.Engine().Timer().interval(), 1000);
    EXPECT_TRUE(form.Engine().Timer().isActive());

    form.show();
    form.resize(1000, 700);
    const QRect number = Label(form, "LabelCurrPage")->geometry();
    EXPECT_EQ(number.right() + 1, 39);
    EXPECT_EQ(number.top(), 700 - 41);
    EXPECT_EQ(Label(form, "Label2")->geometry().right() + 1, 58);
    EXPECT_EQ(Label(form, "LabelTotalPage")->geometry().topLeft(), QPoint(65, 700 - 41));
    EXPECT_EQ(Label(form, "LabelPicFilename")->geometry().topLeft(), QPoint(27, 700 - 17));
    const QFont counter = Label(form, "LabelCurrPage")->font();
    EXPECT_EQ(counter.family(), "Comic Sans MS");
    EXPECT_EQ(counter.pixelSize(), 19);
    EXPECT_TRUE(counter.bold());
    const QFont name = Label(form, "LabelPicFilename")->font();
    EXPECT_EQ(name.pixelSize(), 12);
    EXPECT_FALSE(name.bold());

    // Opaque labels in the background colour, white text, over the picture.
    const QImage drawn = form.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(500, 300), QColor(0, 0, 128));
    const QImage label = Label(form, "LabelTotalPage")->grab().toImage();
    EXPECT_EQ(label.pixelColor(0, 0), QColor(0, 0, 128));
    bool white = false;
    for (int y = 0; y < label.height() && !white; ++y)
        for (int x = 0; x < label.width() && !white; ++x)
            white = label.pixelColor(x, y).lightness() > 200;
    EXPECT_TRUE(white);

    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TSlideShowFormTest, ArrowKeysStepRoundTheListWithoutRestartingTheTimer) {
    const std::vector<std::string> entries{
        Picture("1.bmp", 40, 30, 0xFF0000), Picture("2.gif", 40, 30, 0x00FF00),
        Picture("3.bmp", 50, 20, 0x0000FF), Picture("4.BMP", 30, 30, 0xFFFF00)};
    TSlideShowForm form(entries, {.interval_seconds = 10, .back_colour = 0});
    form.show();
    ASSERT_TRUE(Shows(form, 0xFF0000));
    EXPECT_EQ(Text(form, "LabelCurrPage"), "1");
    EXPECT_EQ(Text(form, "LabelTotalPage"), "3");
    EXPECT_EQ(Text(form, "LabelPicFilename").toStdString(), entries[0]);
    // Small pictures are centred at their natural size.
    const QSize screen = form.screen()->size();
    EXPECT_EQ(Image(form)->PictureRect(),
              QRect((screen.width() - 40) / 2, (screen.height() - 30) / 2, 40, 30));

    QTest::qWait(150);
    const int remaining = form.Engine().Timer().remainingTime();
    QTest::keyClick(&form, Qt::Key_Left);  // before the first: the last
    ASSERT_TRUE(Shows(form, 0xFFFF00));
    EXPECT_EQ(Text(form, "LabelCurrPage"), "3");
    EXPECT_EQ(Text(form, "LabelPicFilename").toStdString(), entries[3]);
    EXPECT_LE(form.Engine().Timer().remainingTime(), remaining);
    QTest::keyClick(&form, Qt::Key_Right);  // after the last: the first
    ASSERT_TRUE(Shows(form, 0xFF0000));
    QTest::keyClick(&form, Qt::Key_Right);
    ASSERT_TRUE(Shows(form, 0x0000FF));
    EXPECT_EQ(Text(form, "LabelCurrPage"), "2");
    QTest::keyClick(&form, Qt::Key_Space);
    QTest::keyClick(&form, Qt::Key_Up);
    EXPECT_EQ(form.Engine().Index(), 1);
    EXPECT_TRUE(form.isVisible());

    // The timer's tick is an advance too.
    form.SlideshowTimerTimer();
    ASSERT_TRUE(Shows(form, 0xFFFF00));
    EXPECT_EQ(Text(form, "LabelCurrPage"), "3");
}

TEST_F(TSlideShowFormTest, APictureThatFailsKeepsTheOneBeforeButTheCounterMovesOn) {
    dir_.Write("kaputt.jpg", "kein Bild");
    const std::vector<std::string> entries{Picture("1.bmp", 40, 30, 0xFF0000),
                                           dir_.File("kaputt.jpg"),
                                           Picture("3.bmp", 40, 30, 0x0000FF)};
    TSlideShowForm form(entries, {.interval_seconds = 10, .back_colour = 0});
    form.show();
    ASSERT_TRUE(Shows(form, 0xFF0000));
    QTest::keyClick(&form, Qt::Key_Right);
    EXPECT_EQ(Text(form, "LabelCurrPage"), "2");
    QTest::qWait(300);
    EXPECT_EQ(Image(form)->Picture().pixel(0, 0), 0xFFFF0000);
    EXPECT_EQ(Text(form, "LabelPicFilename").toStdString(), entries[0]);
    QTest::keyClick(&form, Qt::Key_Right);
    ASSERT_TRUE(Shows(form, 0x0000FF));
    EXPECT_EQ(Text(form, "LabelPicFilename").toStdString(), entries[2]);
}

TEST_F(TSlideShowFormTest, LargePicturesAreShrunkAtDevicePixelsAndTheNeighboursDecodedAhead) {
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(Picture(std::to_string(i) + ".bmp", 1601, 1200, 0x102030 * (i + 1)));
    QObject context;
    std::vector<int> delivered;
    QSize decoded;
    QRect rect;
    SlidePrefetcher prefetcher(&context, paths, {QSize(800, 600), 2.0},
                               [&](int index, const Result<Slide>& slide) {
                                   ASSERT_TRUE(slide.ok()) << slide.message();
                                   delivered.push_back(index);
                                   decoded = slide->image.size();
                                   rect = slide->rect;
                               });
    prefetcher.Want(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered == std::vector<int>{0}; }, 30000));
    // 1601 x 1200 on 800 x 600 logical: f = 2.00125 (as a float), 799 x 599 at the left and
    // top edges; twice that in device pixels.
    EXPECT_EQ(rect, QRect(0, 0, 799, 599));
    EXPECT_EQ(decoded, QSize(1598, 1198));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return prefetcher.Held() == std::vector<int>{0, 1, 4};
        },
        30000));
    // A neighbour is at hand at once; the one left behind is let go.
    prefetcher.Want(1);
    EXPECT_EQ(delivered.back(), 1);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return prefetcher.Held() == std::vector<int>{0, 1, 2};
        },
        30000));
}

TEST_F(TSlideShowFormTest, AnEmptyCategoryIsToldAndOtherwiseTheShowRunsUntilEscape) {
    const MessageCatalogue catalogue;
    ScriptedPrompter prompter;
    prompter.QueueOk();
    StartSlideshow({}, {}, prompter, catalogue, nullptr);
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0],
              (ShownMessage{"In der gewählten Kategorie sind keine Bilder vorhanden.",
                            "Kategorie ist leer", MessageStyle::Warning}));

    // A category of GIFs only still opens the window (showing 1 / 0); Escape ends it.
    bool shown = false;
    QTimer::singleShot(100, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<TSlideShowForm*>(window); form && form->isVisible()) {
                shown = form->isFullScreen() || (form->windowState() & Qt::WindowFullScreen);
                QTest::keyClick(form, Qt::Key_Escape);
            }
        }
    });
    StartSlideshow({Picture("a.gif", 4, 4, 0)}, {}, prompter, catalogue, nullptr);
    EXPECT_TRUE(shown);
    EXPECT_EQ(prompter.shown().size(), 1U);
}

TEST_F(TSlideShowFormTest, TheScreenSaverEndsAtAKeyOrAMouseMovementBeyondAFewPixels) {
    const std::vector<std::string> pictures{Picture("1.bmp", 40, 30, 0xFF0000)};
    const TScreenSaverForm::Settings settings{.interval = std::chrono::milliseconds(5000),
                                              .colour = kNavy,
                                              .screen = {QSize(640, 480), 1}};
    TScreenSaverForm saver(pictures, settings);
    saver.resize(640, 480);
    saver.show();
    ASSERT_TRUE(Shows(saver, 0xFF0000));
    EXPECT_EQ(Image(saver)->PictureRect(), QRect(300, 225, 40, 30));
    EXPECT_EQ(saver.grab().toImage().pixelColor(5, 5), QColor(0, 0, 128));
    int ended = 0;
    QObject::connect(&saver, &TScreenSaverForm::Ended, [&] { ++ended; });
    QTest::mouseMove(&saver, QPoint(100, 100));
    QTest::mouseMove(&saver, QPoint(103, 102));
    EXPECT_EQ(ended, 0);
    QTest::mouseMove(&saver, QPoint(110, 100));
    EXPECT_EQ(ended, 1);

    TScreenSaverForm by_key(pictures, settings);
    by_key.show();
    QObject::connect(&by_key, &TScreenSaverForm::Ended, [&] { ++ended; });
    QTest::keyClick(&by_key, Qt::Key_Shift);
    EXPECT_EQ(ended, 2);
    EXPECT_FALSE(by_key.isVisible());

    // Inside xscreensaver's window the input is xscreensaver's.
    TScreenSaverForm embedded(pictures, {.interval = std::chrono::milliseconds(5000),
                                         .screen = {QSize(640, 480), 1},
                                         .ends_on_input = false});
    embedded.show();
    QObject::connect(&embedded, &TScreenSaverForm::Ended, [&] { ++ended; });
    QTest::keyClick(&embedded, Qt::Key_A);
    QTest::mouseClick(&embedded, Qt::LeftButton);
    EXPECT_EQ(ended, 2);
    EXPECT_TRUE(embedded.isVisible());
}

}  // namespace
}  // namespace orvella::testing
