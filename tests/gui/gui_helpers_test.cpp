#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "gui/colours.h"
#include "gui/file_path_text.h"
#include "gui/long_timer.h"
#include "gui/menu_rules.h"
#include "gui/picture_status.h"
#include "gui/shipped_files.h"
#include "gui/taddtocategoryform.h"
#include "shell/message_catalogue.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

TEST(TAddToCategoryFormTest, ListsTheCategoriesAndGivesTheChosenOnesIndex) {
    TAddToCategoryForm form({{1, "Natur"}, {3, "Städte"}}, 2);
    auto* list = form.findChild<QListWidget*>("LbCategories");
    auto* ok = form.findChild<QDialogButtonBox*>("Buttons")->button(QDialogButtonBox::Ok);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QString::fromUtf8("Städte"));
    EXPECT_EQ(form.ChosenCategory(), 1);  // the first is chosen at the start
    list->setCurrentRow(1);
    EXPECT_EQ(form.ChosenCategory(), 3);
    list->clearSelection();
    EXPECT_EQ(form.ChosenCategory(), std::nullopt);
    EXPECT_FALSE(ok->isEnabled());

    TAddToCategoryForm empty({}, 1);
    EXPECT_EQ(empty.ChosenCategory(), std::nullopt);
}

TEST(LightenColorTest, MovesEachChannelTowardsWhiteRoundingUp) {
    // 10 + ceil(245 * 60 / 100) = 10 + 147; 0 + ceil(153) = 153; 255 stays.
    EXPECT_EQ(LightenColor(60, QColor(10, 0, 255)), QColor(157, 153, 255));
    // ceil(254 * 50 / 100) = 127; ceil(1 * 50 / 100) = 1.
    EXPECT_EQ(LightenColor(50, QColor(1, 254, 0)), QColor(128, 255, 128));
    EXPECT_EQ(LightenColor(0, QColor(12, 34, 56)), QColor(12, 34, 56));
    EXPECT_EQ(LightenColor(100, QColor(12, 34, 56)), QColor(255, 255, 255));
}

TEST(MenuRulesTest, FirstCategoryVersusOthersAndFocusVersusSelection) {
    const CategoriesMenuRules first = CategoriesMenu({0, true, true});
    EXPECT_FALSE(first.edit_category);
    EXPECT_FALSE(first.delete_category);
    EXPECT_FALSE(first.copy_move);
    EXPECT_FALSE(first.remove_pictures.has_value());  // keeps its last state
    EXPECT_TRUE(first.remove_all);

    const CategoriesMenuRules other_unselected = CategoriesMenu({3, true, false});
    EXPECT_TRUE(other_unselected.edit_category);
    EXPECT_TRUE(other_unselected.delete_category);
    EXPECT_EQ(other_unselected.remove_pictures, false);
    EXPECT_FALSE(other_unselected.copy_move);
    EXPECT_EQ(CategoriesMenu({3, false, true}).remove_pictures, true);

    // Focus alone: the single-picture commands; selection alone: mail and removal.
    const PictureMenuRules focused = PictureMenu({2, true, false});
    EXPECT_TRUE(focused.set_selected);
    EXPECT_FALSE(focused.mail);
    EXPECT_FALSE(focused.remove);
    const PictureMenuRules selected = PictureMenu({2, false, true});
    EXPECT_FALSE(selected.set_selected);
    EXPECT_TRUE(selected.mail);
    EXPECT_TRUE(selected.remove);
    EXPECT_TRUE(selected.copy_move);
    EXPECT_FALSE(PictureMenu({0, true, true}).copy_move);

    EXPECT_FALSE(KatPopupEditable(0));
    EXPECT_TRUE(KatPopupEditable(1));
}

void SetModified(const std::string& path, const QDateTime& when) {
    struct utimbuf times {};
    times.actime = times.modtime = static_cast<time_t>(when.toSecsSinceEpoch());
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

// Every byte of a path survives Qt: as a QString kept in a widget and as a file URL.
TEST(FilePathTextTest, PathsCrossQtWithEveryByteAndReadAsWindows1252) {
    const std::string paths[] = {"/a/café.png", "/a/caf\xe9.png", "/\xff\xfe/x\x80",
                                 "/a/\xf0\x9f\x98\x80\xed\xa0\x80 #%.jpg"};
    for (const std::string& path : paths) {
        EXPECT_EQ(PathFromQString(PathToQString(path)), path);
        EXPECT_EQ(PathOfUrl(UrlOfPath(path)), path);
    }
    EXPECT_EQ(PathDisplayText("/a/caf\xe9 \x80.png"), QString("/a/café €.png"));
    EXPECT_EQ(PathOfUrl(QUrl("https://example.org/a.png")), std::nullopt);
}

TEST(PictureStatusTest, CountDateAndSizeInWholeKilobytes) {
    const MessageCatalogue catalogue;
    EXPECT_EQ(PictureCountText(catalogue, 7), QString("7 Bilder in dieser Kategorie"));

    TempDir dir;
    dir.Write("small.jpg", std::string(1023, 'x'));
    dir.Write("large.jpg", std::string(1234 * 1024 + 1023, 'x'));
    const QDateTime when(QDate(2003, 1, 25), QTime(14, 38, 42));
    SetModified(dir.File("small.jpg"), when);
    SetModified(dir.File("large.jpg"), when);

    const QLocale german = InterfaceLocale(true);
    const QString small = PictureFileText(catalogue, dir.File("small.jpg"), german);
    EXPECT_TRUE(small.endsWith(QString(" - Dateigröße: 0 KB"))) << small.toStdString();
    // The interface language's date with all four digits of the year, whatever the
    // system's locale says, then the time without a zone.
    const QLocale system;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(PictureFileText(catalogue, dir.File("large.jpg"), german),
              QString("Dateidatum: 25.01.2003 14:38:42 - Dateigröße: 1.234 KB"));
    EXPECT_EQ(PictureFileText(catalogue, dir.File("large.jpg")),
              QString("Dateidatum: 25.01.2003 14:38:42 - Dateigröße: 1.234 KB"));
    EXPECT_EQ(FileDateText(when, InterfaceLocale(false)), QString("1/25/2003 2:38:42 PM"));
    QLocale::setDefault(system);

    EXPECT_EQ(PictureFileText(catalogue, dir.File("gone.jpg"), german),
              QString("Dateidatum:    Dateigröße:"));
}

TEST(ShippedFilesTest, MissingFilesGetTheBuiltInCopyAndPresentOnesStay) {
    TempDir dir;
    EXPECT_TRUE(EnsureShippedFiles(dir.path()).empty());
    QFile built_in(":/orvella/shipped/Icons/StdImage.bmp");
    ASSERT_TRUE(built_in.open(QIODevice::ReadOnly));
    const QByteArray expected = built_in.readAll();
    EXPECT_EQ(QByteArray::fromStdString(dir.Read("Icons/StdImage.bmp")), expected);
    EXPECT_EQ(expected.left(2), QByteArray("BM"));

    // The preview's placeholder is drawn at the preview's size.
    const QImage placeholder(QString::fromStdString(dir.File("nopreview.png")));
    EXPECT_EQ(placeholder.size(), QSize(252, 191));

    dir.Write("Icons/StdImage.bmp", "the user's own icon");
    dir.Write("nopreview.png", "the user's own placeholder");
    EXPECT_TRUE(EnsureShippedFiles(dir.path()).empty());
    EXPECT_EQ(dir.Read("Icons/StdImage.bmp"), "the user's own icon");
    EXPECT_EQ(dir.Read("nopreview.png"), "the user's own placeholder");
}

TEST(LongTimerTest, IntervalsBeyondAQTimersRangeWaitInStepsAndFireOnceAtTheEnd) {
    using std::chrono::milliseconds;
    // The largest interval of the timed change: 9 999 999 s, beyond 2^31 ms and 2^32 ms.
    LongTimer longest;
    longest.SetInterval(milliseconds(9'999'999'000LL));
    longest.Start();
    EXPECT_TRUE(longest.IsActive());
    EXPECT_GT(longest.Remaining(), milliseconds(9'999'990'000LL));

    // Steps of 10 ms towards an interval of 120 ms: no tick before the whole interval.
    LongTimer stepped(nullptr, milliseconds(10));
    stepped.SetInterval(milliseconds(120));
    QSignalSpy ticks(&stepped, &LongTimer::timeout);
    stepped.Start();
    QTest::qWait(60);
    EXPECT_EQ(ticks.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() == 2; }, 2000));
    stepped.Stop();
    EXPECT_EQ(stepped.Remaining(), milliseconds(0));

    LongTimer never;
    never.Start();
    EXPECT_FALSE(never.IsActive());
}

}  // namespace
}  // namespace orvella
