#include "gui/tfindpics.h"

#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <chrono>
#include <filesystem>
#include <thread>

#include "gui/file_path_text.h"
#include "gui/found_pictures.h"
#include "main_window_fixture.h"

namespace orvella::testing {
namespace {

class FakeDrives : public Drives {
public:
    std::vector<Drive> drives;
    std::vector<Drive> List() const override { return drives; }
};

class TFindPicsTest : public CategoryEditingTest {
protected:
    void SetUp() override {
        CategoryEditingTest::SetUp();
        drive_ = dir_.File("Laufwerk/");
        std::filesystem::create_directories(drive_);
        auto drives = std::make_unique<FakeDrives>();
        drives->drives = {
            {drive_, DriveType::Fixed, "DATEN", "ext4"},
            {"/media/stick/", DriveType::Removable, "STICK", "vfat"},
            {"/srv/netz/", DriveType::Remote, "", "nfs"},
            {"/media/cd/", DriveType::CdRom, "CD", "iso9660"},
        };
        platform_->drives = std::move(drives);
        environment_.Set("XDG_DATA_HOME", drive_ + "daten");
    }

    void TearDown() override {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A file below the drive, its folders made.
    std::string Put(const std::string& relative) {
        const std::string path = drive_ + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        dir_.Write("Laufwerk/" + relative, "x");
        return path;
    }

    TFindPics& Open(TOrvel& window) {
        Inside(window).Action("AufderFestplatte1")->trigger();
        TFindPics* search = Inside(window).FindPicsWindow();
        EXPECT_NE(search, nullptr);
        EXPECT_TRUE(search->isVisible());
        return *search;
    }

    static void Tick(QListWidget* list, int row) { list->item(row)->setCheckState(Qt::Checked); }

    static std::vector<std::string> Listed(const TFindPics& search) {
        std::vector<std::string> paths;
        for (const QString& path : search.found().Paths())
            paths.push_back(path.toStdString());
        return paths;
    }

    static void SearchToEnd(TFindPics& search) {
        search.BtnFindClick();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !search.FindFile().Busy(); }, 20000));
    }

    std::string drive_;
};

TEST(FoundPicturesTest, FindsAreShownInBatchesAndRemovedInAnyOrder) {
    TFoundPictures found;
    QSignalSpy flushed(&found, &TFoundPictures::Flushed);
    for (const char* path : {"/a.jpg", "/b.jpg", "/c.jpg", "/d.jpg", "/e.jpg", "/f.jpg"})
        found.Add(path);
    EXPECT_EQ(found.rowCount(), 0);
    EXPECT_EQ(found.PendingCount(), 6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return found.rowCount() == 6; }, 1000));
    EXPECT_EQ(flushed.count(), 1);  // one insertion for the whole batch
    EXPECT_EQ(found.PendingCount(), 0);

    found.RemoveRowsAt({4, 0, 2, 3});
    EXPECT_EQ(found.Paths(), QStringList({"/b.jpg", "/f.jpg"}));
    found.Add("/g.jpg");
    found.Add(PathToQString("/caf\xe9.jpg"));  // a Latin-1 name: kept as bytes, shown readable
    found.Flush();
    EXPECT_EQ(found.Paths(),
              QStringList({"/b.jpg", "/f.jpg", "/g.jpg", PathToQString("/caf\xe9.jpg")}));
    EXPECT_EQ(found.data(found.index(3), Qt::DisplayRole).toString(),
              QString::fromUtf8("/café.jpg"));
    found.Clear();
    EXPECT_EQ(found.rowCount(), 0);
}

TEST_F(TFindPicsTest, OffersFixedAndNetworkDrivesAndAsksForATypeAndADrive) {
    WriteCategories({"Natur"});
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);

    EXPECT_EQ(search.windowTitle(), QString("Bilder suchen..."));
    ASSERT_EQ(search.LBSearchPics()->count(), 5);
    EXPECT_EQ(search.LBSearchPics()->item(4)->text(), QString("HTML - Dateien"));
    ASSERT_EQ(search.LogicalDrives()->count(), 2);
    EXPECT_EQ(search.LogicalDrives()->item(0)->text().toStdString(), "DATEN (" + drive_ + ")");
    EXPECT_EQ(search.LogicalDrives()->item(1)->text(), QString(" (/srv/netz/)"));
    EXPECT_EQ(search.LogicalDrives()->item(1)->checkState(), Qt::Unchecked);

    const std::string message =
        "Bitte geben Sie mindestens ein Hintergrundtyp und ein Laufwerk zur Durchsuchung an.";
    prompter_.QueueOk();
    search.BtnFindClick();  // nothing ticked
    Tick(search.LBSearchPics(), 1);
    prompter_.QueueOk();
    search.BtnFindClick();  // a type, no drive
    search.LBSearchPics()->item(1)->setCheckState(Qt::Unchecked);
    Tick(search.LogicalDrives(), 0);
    prompter_.QueueOk();
    search.BtnFindClick();  // a drive, no type
    ASSERT_EQ(prompter_.shown().size(), 3u);
    for (const ShownMessage& shown : prompter_.shown()) {
        EXPECT_EQ(shown.text, message);
        EXPECT_EQ(shown.caption, "Hintergrundtyp und Laufwerk angeben");
        EXPECT_EQ(shown.style, MessageStyle::Information);
    }
    EXPECT_FALSE(search.FindFile().Busy());
    EXPECT_TRUE(search.BtnStop()->isHidden());

    // Opening the search again brings the open window forward instead of a second one.
    Inside(window).Action("TbSearchPics")->trigger();
    EXPECT_EQ(Inside(window).FindPicsWindow(), &search);
}

TEST_F(TFindPicsTest, ListsFindsByTypeAndDriveAndPassesOverTrashAndKnownPictures) {
    WriteCategories({"Natur"});
    const std::string known = Put("alt/natur.jpg");
    Put("a.jpg");
    Put("b.JPEG");
    Put("tief/c.jpg");
    Put("bild.png");
    Put("daten/Trash/files/weg.jpg");
    Put(".Trash-" + std::to_string(::getuid()) + "/files/weg.jpg");
    TOrvel& window = Start();
    window.show();
    window.FilePictures(1, {known});
    TFindPics& search = Open(window);
    Tick(search.LBSearchPics(), 1);
    Tick(search.LogicalDrives(), 0);

    search.BtnFindClick();
    EXPECT_TRUE(search.BtnFind()->isHidden());
    EXPECT_FALSE(search.BtnStop()->isHidden());
    EXPECT_FALSE(search.BusyIndicator()->isHidden());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !search.FindFile().Busy(); }, 20000));

    // All matches of "*.jpg" before those of "*.jpeg"; a folder's files before its
    // subfolders' (whose order is the file system's).
    std::vector<std::string> listed = Listed(search);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0], drive_ + "a.jpg");
    EXPECT_THAT(std::vector<std::string>(listed.begin() + 1, listed.begin() + 3),
                ::testing::UnorderedElementsAre(known, drive_ + "tief/c.jpg"));
    EXPECT_EQ(listed[3], drive_ + "b.JPEG");
    EXPECT_EQ(search.FoundCount(), 4);
    EXPECT_EQ(search.FoundLabel()->text(), QString("Neue gefundene Hintergründe: 4"));
    EXPECT_FALSE(search.BtnFind()->isHidden());
    EXPECT_TRUE(search.BtnStop()->isHidden());
    EXPECT_TRUE(search.BusyIndicator()->isHidden());
    // The list scrolls to the end of the longest path.
    EXPECT_GT(search.found().ItemSize().width(),
              QFontMetrics(search.LBPicsFound()->font())
                      .horizontalAdvance(QString::fromStdString(listed[3])) -
                  1);

    // Pictures already in a category are left out, wherever the same name lies below the
    // same folder path; the box is toggled by its label too.
    QTest::mouseClick(search.findChild<QLabel*>("Label4"), Qt::LeftButton);
    EXPECT_TRUE(search.CkbIgnoreExistingPic()->isChecked());
    SearchToEnd(search);
    EXPECT_EQ(Listed(search).size(), 3u);
    EXPECT_THAT(Listed(search), ::testing::Not(::testing::Contains(known)));
    EXPECT_EQ(search.FoundLabel()->text(), QString("Neue gefundene Hintergründe: 3"));

    // The box and the placement are kept in "FindPics" and come back with the next window.
    search.close();
    const ProfileDocument stored = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_EQ(stored.Value("FindPics", "CkbIgnoreExistingPic_Checked"), "True");
    window.TimerCloseFindTimer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Open(window).CkbIgnoreExistingPic()->isChecked());
}

TEST_F(TFindPicsTest, FilesTheSelectedEntriesIntoTheCategoryOfTheItem) {
    WriteCategories({"Natur", "Städte"}, 1);
    for (const char* name : {"1.png", "2.png", "3.png", "4.png", "5.png"})
        Put(name);
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);
    Tick(search.LBSearchPics(), 3);
    Tick(search.LogicalDrives(), 0);
    SearchToEnd(search);
    const std::vector<std::string> listed = Listed(search);
    ASSERT_EQ(listed.size(), 5u);

    QAction* target = search.TargetItem(2);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->text(), QString("Städte"));
    EXPECT_EQ(target->objectName(), QString("PopupItem_2"));
    target->trigger();  // nothing selected: nothing happens
    EXPECT_EQ(search.FoundCount(), 5);

    QItemSelectionModel* selection = search.LBPicsFound()->selectionModel();
    for (int row : {0, 2, 3})
        selection->select(search.found().index(row), QItemSelectionModel::Select);
    target->trigger();

    EXPECT_THAT(Listed(search), ElementsAre(listed[1], listed[4]));
    EXPECT_EQ(search.FoundCount(), 2);
    EXPECT_EQ(search.FoundLabel()->text(), QString("Neue gefundene Hintergründe: 2"));
    const std::vector<std::string> filed{listed[0], listed[2], listed[3]};
    EXPECT_THAT(Pictures(2), ::testing::IsSupersetOf(filed));
    EXPECT_THAT(Pictures(0), ::testing::IsSupersetOf(filed));
    EXPECT_THAT(Pictures(1), ::testing::Not(::testing::Contains(listed[0])));
    EXPECT_TRUE(Saved().HasKey("Cat_2.Wallpapers", listed[2]));
}

TEST_F(TFindPicsTest, TheRightButtonOpensTheMenuOnTheSelectionAndKeysPreviewTheFocus) {
    WriteCategories({"Natur"});
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"})
        Put(name);
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);
    QWidget* viewport = search.LBPicsFound()->viewport();

    // An empty list has no menu.
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(search.PicsFoundPopup()->isVisible());
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(5, 5));

    Tick(search.LBSearchPics(), 0);
    Tick(search.LogicalDrives(), 0);
    SearchToEnd(search);
    QListView* list = search.LBPicsFound();
    list->setCurrentIndex(search.found().index(0));
    list->selectionModel()->select(search.found().index(2), QItemSelectionModel::Select);
    const QModelIndexList before = list->selectionModel()->selectedIndexes();
    ASSERT_EQ(before.size(), 2);

    const QRect second = list->visualRect(search.found().index(1));
    QTest::mousePress(viewport, Qt::RightButton, {}, second.center());
    EXPECT_TRUE(search.PicsFoundPopup()->isVisible());
    EXPECT_EQ(list->selectionModel()->selectedIndexes().size(), 2);
    search.PicsFoundPopup()->close();
    QTest::mouseRelease(viewport, Qt::RightButton, {}, second.center());
    ASSERT_EQ(search.PicsFoundPopup()->actions().size(), 3);  // new, separator, "Natur"
    EXPECT_EQ(search.PicsFoundPopup()->actions()[0]->text(), QString("Neue Kategorie..."));
    EXPECT_TRUE(search.PicsFoundPopup()->actions()[1]->isSeparator());

    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedIndexes().size(), 3);
    // Ctrl let go, or the application holds it down for the tests that follow.
    QTest::keyRelease(list, Qt::Key_Control);
}

TEST_F(TFindPicsTest, ANewCategoryGetsAnItemOnlyOnOkAndItemsFollowTheCategories) {
    WriteCategories({"Natur", "Städte"});
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);

    WithDialog(
        *dialog_, [](TAddKatForm& dialog) { dialog.EdtKatName()->setText("Tiere"); },
        [&] {
            search.NeueKategorie1()->trigger();
            return 0;
        });  // cancelled
    EXPECT_EQ(search.TargetItem(3), nullptr);
    EXPECT_EQ(window.store().count(), 3);

    WithDialog(
        *dialog_,
        [](TAddKatForm& dialog) {
            dialog.EdtKatName()->setText("Tiere");
            dialog.BtnOk()->click();
        },
        [&] {
            search.NeueKategorie1()->trigger();
            return 0;
        });
    ASSERT_NE(search.TargetItem(3), nullptr);
    EXPECT_EQ(search.TargetItem(3)->text(), QString("Tiere"));
    EXPECT_EQ(search.TargetItem(3)->property("Tag").toInt(), 3);

    // Renamed and deleted in the main window: the items follow.
    WithDialog(
        *dialog_,
        [](TAddKatForm& dialog) {
            dialog.EdtKatName()->setText("Wald");
            dialog.BtnOk()->click();
        },
        [&] { return window.KatEditClick(Inside(window).Action("Kategoriebearbeiten1")); });
    EXPECT_EQ(search.TargetItem(3)->text(), QString("Wald"));
    prompter_.QueueYes();
    window.DeleteCategory(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(search.TargetItem(1)->text(), QString("Städte"));
    EXPECT_EQ(search.TargetItem(2)->text(), QString("Wald"));
    EXPECT_EQ(search.TargetItem(3), nullptr);
}

TEST_F(TFindPicsTest, TwentyNineUserCategoriesFillTheMenuAndNoMoreCanBeAdded) {
    std::vector<std::string> names;
    for (int i = 1; i <= 29; ++i)
        names.push_back("Kategorie " + std::to_string(i));
    WriteCategories(names);
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);
    for (int i = 1; i <= 29; ++i) {
        ASSERT_NE(search.TargetItem(i), nullptr) << i;
        EXPECT_EQ(search.TargetItem(i)->text().toStdString(), names[i - 1]);
    }
    EXPECT_EQ(search.PicsFoundPopup()->actions().size(), 31);

    prompter_.QueueOk();  // the category limit
    WithDialog(
        *dialog_,
        [](TAddKatForm& dialog) {
            dialog.EdtKatName()->setText("Noch eine");
            dialog.BtnOk()->click();
        },
        [&] {
            search.NeueKategorie1()->trigger();
            return 0;
        });
    ASSERT_EQ(prompter_.shown().size(), 1u);
    EXPECT_EQ(prompter_.shown()[0].text, catalogue_.Text(kMsgKatLimit));
    EXPECT_EQ(window.store().count(), 30);
    EXPECT_EQ(search.PicsFoundPopup()->actions().size(), 31);
}

TEST_F(TFindPicsTest, ClosingDuringASearchEndsItWhenTheWindowIsFreed) {
    WriteCategories({"Natur"});
    for (int folder = 0; folder < 40; ++folder)
        for (int file = 0; file < 50; ++file)
            Put("ordner" + std::to_string(folder) + "/bild" + std::to_string(file) + ".jpg");
    TOrvel& window = Start();
    window.show();
    const std::vector<std::string> before = Pictures(0);
    TFindPics* search = &Open(window);
    QPointer<TFindPics> alive(search);
    Tick(search->LBSearchPics(), 1);
    Tick(search->LogicalDrives(), 0);
    search->BtnFindClick();
    ASSERT_TRUE(search->FindFile().Busy());
    // The worker runs ahead until its bound; nothing is delivered while this thread sleeps.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(search->FindFile().Busy());

    search->close();
    EXPECT_FALSE(search->isVisible());
    EXPECT_TRUE(Inside(window).TimerCloseFind()->isActive());
    EXPECT_EQ(Inside(window).TimerCloseFind()->interval(), 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 5000));
    EXPECT_FALSE(Inside(window).TimerCloseFind()->isActive());
    EXPECT_EQ(Inside(window).FindPicsWindow(), nullptr);
    EXPECT_EQ(Pictures(0), before);

    // The main window going during a search stops it as well.
    TFindPics& second = Open(window);
    Tick(second.LBSearchPics(), 1);
    Tick(second.LogicalDrives(), 0);
    second.BtnFindClick();
    QTest::qWait(10);
    window_.reset();
    QCoreApplication::sendPostedEvents();
}

TEST_F(TFindPicsTest, ReopeningWithinTheSecondKeepsTheNewWindowAndFreesTheOld) {
    WriteCategories({"Natur"});
    TOrvel& window = Start();
    window.show();
    QPointer<TFindPics> first(&Open(window));
    first->close();
    ASSERT_TRUE(Inside(window).TimerCloseFind()->isActive());

    // The closed window goes at once; the timer must not free the new one a moment later.
    QPointer<TFindPics> second(&Open(window));
    EXPECT_NE(second.data(), first.data());
    EXPECT_FALSE(Inside(window).TimerCloseFind()->isActive());
    QTest::qWait(1200);
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(Inside(window).FindPicsWindow(), second.data());
}

TEST_F(TFindPicsTest, StoppingEndsTheSearchWithWhatWasFound) {
    WriteCategories({"Natur"});
    for (int folder = 0; folder < 40; ++folder)
        for (int file = 0; file < 50; ++file)
            Put("ordner" + std::to_string(folder) + "/bild" + std::to_string(file) + ".gif");
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);
    Tick(search.LBSearchPics(), 2);
    Tick(search.LogicalDrives(), 0);
    search.BtnFindClick();
    // The worker runs a bounded number of finds ahead of this thread, which delivers none
    // while it sleeps: with 2 000 pictures to find the search is still under way.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ASSERT_TRUE(search.FindFile().Busy());
    search.BtnStop()->click();
    EXPECT_FALSE(search.FindFile().Busy());
    EXPECT_FALSE(search.BtnFind()->isHidden());
    EXPECT_TRUE(search.BtnStop()->isHidden());
    EXPECT_EQ(search.found().PendingCount(), 0);
    EXPECT_EQ(search.found().rowCount(), search.FoundCount());
    EXPECT_EQ(search.FoundLabel()->text(),
              QString("Neue gefundene Hintergründe: %1").arg(search.FoundCount()));
}

TEST_F(TFindPicsTest, TheListsKeepTheirRatiosOfTheGroupWidth) {
    WriteCategories({"Natur"});
    TOrvel& window = Start();
    window.show();
    TFindPics& search = Open(window);
    auto* group = search.findChild<QGroupBox*>("GroupBox1");
    group->resize(446, group->height());
    EXPECT_EQ(search.LBSearchPics()->width(), 193);
    EXPECT_EQ(search.LBSearchPics()->x(), 16);
    EXPECT_EQ(search.LogicalDrives()->x(), 237);
    EXPECT_EQ(search.LogicalDrives()->width(), 193);
    EXPECT_EQ(search.findChild<QLabel*>("Label2")->x(), 237);
    group->resize(600, group->height());
    EXPECT_EQ(search.LBSearchPics()->width(), 260);  // 259.6
    EXPECT_EQ(search.LBSearchPics()->x(), 22);       // 21.5
    EXPECT_EQ(search.LogicalDrives()->x(), 319);     // 318.8
}

}  // namespace
}  // namespace orvella::testing
