#include <utime.h>

#include <QComboBox>
#include <QDateTime>
#include <QPushButton>

#include "gui/picture_box.h"
#include "gui/tcopymovepics.h"
#include "gui/tpreviewform.h"
#include "main_window_fixture.h"
#include "platform/files/files.h"
#include "tools/help_and_links.h"

namespace orvella {
namespace {

using namespace orvella::testing;
using ::testing::ElementsAre;

class PictureToolsTest : public CategoryEditingTest {
protected:
    // The window shown and active, so its short-cuts work, on category `active`.
    TOrvel& StartActive(int active) {
        active_desktop_.xp = true;  // pictures of every kind are added without a question
        TOrvel& window = Start();
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        Inside(window).CategoryButton(active)->click();
        return window;
    }
    static void Select(TPictureList* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select);
    }
    // Runs `answer` on the copy/move dialog once it is up.
    void WhenDialogUp(std::function<void(TCopyMovePics&)> answer) {
        auto* poll = new QTimer(window_.get());
        QObject::connect(poll, &QTimer::timeout, [this, poll, answer] {
            auto* dialog = window_->findChild<TCopyMovePics*>();
            if (dialog == nullptr || !dialog->isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
        });
        poll->start(10);
    }
    // Chooses target entry `entry`, then copies or moves.
    void AnswerDialog(int entry, int button) {
        WhenDialogUp([entry, button](TCopyMovePics& dialog) {
            dialog.CbCategories()->setCurrentIndex(entry);
            (button == TCopyMovePics::kCopy ? dialog.BitBtn1() : dialog.BitBtn2())->click();
        });
    }
    std::unique_ptr<TPreviewForm> ShowPreview(TOrvel& window) {
        auto preview = std::make_unique<TPreviewForm>(TPreviewServices{
            .catalogue = catalogue_,
            .prompter = prompter_,
            .screen = *platform_->screen,
            .program_dir = program_,
            .form_file = program_ + "ovl.dat",
        });
        window.SetPreviewForm(preview.get());
        Inside(window).Action("ShowPreview")->trigger();
        return preview;
    }
    void WritePicture(const std::string& name) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(QString::fromStdString(dir_.File(name)), "JPG"));
    }
};

TEST_F(PictureToolsTest, EveryEntryReachesTheDesktopThroughItsMenusButtonAndShortCuts) {
    WriteCategories({"Natur", "Städte"}, 1);
    TOrvel& window = StartActive(1);
    TPictureList* list = Inside(window).PictureList(1);
    files_.answers.push_back({dir_.File("b c.jpg"), dir_.File("a \"x\".png")});
    window.SBAddClick();
    ASSERT_EQ(list->model()->rowCount(), 3);
    const std::vector<std::string> pictures = Pictures(1);

    // Nothing focused or selected: the picture entries are off, help and links are on.
    window.Hintergrundbild1Click();
    EXPECT_FALSE(Inside(window).Action("Bildffnen1")->isEnabled());
    EXPECT_FALSE(Inside(window).Action("BildperEMailsenden1")->isEnabled());
    for (const char* name : {"Hilfe2", "TbHelp", "OrvellaHomepage1", "WebLink1", "WebLink8"})
        EXPECT_TRUE(Inside(window).Action(name)->isEnabled()) << name;
    for (std::size_t i = 0; i < kWebLinks.size(); ++i) {
        const std::string item = "WebLink" + std::to_string(i + 1);
        EXPECT_EQ(Inside(window).Action(item.c_str())->text().toStdString(), kWebLinks[i].caption);
    }

    list->setCurrentIndex(list->model()->index(1, 0));
    Select(list, {2, 0});
    window.Hintergrundbild1Click();
    window.PopupPopup();
    for (const char* name : {"Bildffnen1", "Bildffnen2", "Bildspeichernunter1", "Bilddrucken2",
                             "BildperEMailsenden1", "BildperEMailsenden2"})
        EXPECT_TRUE(Inside(window).Action(name)->isEnabled()) << name;
    Inside(window).Action("Bildffnen1")->trigger();
    Inside(window).Action("Bildffnen2")->trigger();
    Inside(window).Action("Bilddrucken1")->trigger();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_F1);
    prompter_.QueueNo();  // English from the next start on, without a restart now
    Inside(window).Action("Englisch1")->trigger();
    Inside(window).Action("TbHelp")->trigger();
    Inside(window).Action("OrvellaHomepage1")->trigger();
    Inside(window).Action("WebLink3")->trigger();
    const std::string beside = ParentFolder(ExecutablePath());
    EXPECT_THAT(
        shell_.calls,
        ElementsAre("open " + pictures[1], "open " + pictures[1], "print " + pictures[1],
                    "mail " + pictures[0] + " " + pictures[2],
                    "open " + beside + "help/liesmich.htm", "open " + beside + "help/readme.htm",
                    "open " + HomepageAddress(false), "open " + std::string(kWebLinks[2].address)));

    // Save as copies the focused picture; a failure of the desktop is reported after the text.
    dir_.Write("b c.jpg", "picture");
    list->setCurrentIndex(list->model()->index(1, 0));
    files_.save_answers.push_back(dir_.File("kopie.jpg"));
    Inside(window).Action("Bildspeichernunter2")->trigger();
    EXPECT_EQ(dir_.Read("kopie.jpg"), "picture");
    EXPECT_EQ(files_.save_requests.at(0).file, dir_.File("b c.jpg"));
    shell_.failures.push_back("lp: Error - No default destination.");
    prompter_.QueueOk();
    Inside(window).Action("Bilddrucken2")->trigger();
    EXPECT_EQ(prompter_.shown().back().text,
              "Das angegebene Bild kann nicht ausgedruckt werden. lp: Error - No default "
              "destination.");
}

TEST_F(PictureToolsTest, InsOnAListOpensTheAddDialogOnce) {
    WriteCategories({"Natur"}, 1);
    TOrvel& window = StartActive(1);
    TPictureList* list = Inside(window).PictureList(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Insert);
    EXPECT_EQ(files_.requests.size(), 1u);
}

TEST_F(PictureToolsTest, CopyAndMoveWalkTheSelectionInListOrderAndSaveOnce) {
    WriteCategories({"Natur", "Städte", "Natur", "Meer"}, 1);
    TOrvel& window = StartActive(1);
    for (const char* name : {"Natur.jpg", "b.jpg", "c.jpg", "Meer.jpg"})
        WritePicture(name);
    files_.answers.push_back({dir_.File("b.jpg"), dir_.File("c.jpg")});
    window.SBAddClick();
    TPictureList* list = Inside(window).PictureList(1);
    const std::vector<std::string> pictures = Pictures(1);  // Natur.jpg, b.jpg, c.jpg
    ASSERT_EQ(pictures.size(), 3u);

    // The namesake of the current category is refused; cancelling changes nothing.
    Select(list, {2, 0});
    window.PopupPopup();
    ASSERT_TRUE(Inside(window).Action("Bilderkopierenverschieben2")->isEnabled());
    prompter_.QueueOk();
    WhenDialogUp([](TCopyMovePics& dialog) {
        EXPECT_EQ(dialog.CbCategories()->count(), 4);
        dialog.CbCategories()->setCurrentIndex(2);
        dialog.BitBtn1()->click();  // refused: the dialog stays
        dialog.BitBtn3()->click();
    });
    Inside(window).Action("Bilderkopierenverschieben2")->trigger();
    EXPECT_EQ(prompter_.shown().back().caption, "Kopieren / Verschieben nicht möglich");
    EXPECT_EQ(Pictures(2).size(), 1u);

    // A copy, of a selection made out of list order.
    list->setCurrentIndex(list->model()->index(1, 0));
    Select(list, {2, 0});
    AnswerDialog(1, TCopyMovePics::kCopy);
    Inside(window).Action("Bilderkopierenverschieben1")->trigger();
    EXPECT_THAT(Pictures(2), ElementsAre(dir_.File("Städte.jpg"), pictures[0], pictures[2]));
    EXPECT_EQ(Pictures(0).size(), 8u);  // 3 + 1 + 1 + 1, and the two copies once more
    EXPECT_THAT(list->SelectedRows(), ElementsAre(0, 1, 2));  // the focused one joined them
    EXPECT_THAT(Saved().KeyNames("Cat_2.Wallpapers"),
                ElementsAre(dir_.File("Städte.jpg"), pictures[0], pictures[2]));

    // Moving two: the focused picture that stays keeps the focus.
    std::unique_ptr<TPreviewForm> preview = ShowPreview(window);
    list->setCurrentIndex(list->model()->index(1, 0));
    Select(list, {2, 0});
    AnswerDialog(3, TCopyMovePics::kMove);
    window.CopyMovePicClick();
    EXPECT_THAT(Pictures(1), ElementsAre(pictures[1]));
    EXPECT_THAT(Pictures(4), ElementsAre(dir_.File("Meer.jpg"), pictures[0], pictures[2]));
    EXPECT_EQ(Pictures(0).size(), 8u);  // a moved picture keeps its entry in the summary
    EXPECT_EQ(list->FocusedRow(), 0);
    EXPECT_FALSE(preview->PrevImage()->Picture().isNull());

    // Moving the last one leaves the list empty, the file line and the preview blank.
    Select(list, {0});
    AnswerDialog(3, TCopyMovePics::kMove);
    window.CopyMovePicClick();
    EXPECT_TRUE(Pictures(1).empty());
    EXPECT_EQ(Inside(window).StatusText(0), QString("0 Bilder in dieser Kategorie"));
    EXPECT_EQ(Inside(window).StatusText(1), QString());
    EXPECT_TRUE(preview->PrevImage()->Picture().isNull());

    // Emptying a category blanks the preview as well.
    Inside(window).CategoryButton(4)->click();
    Inside(window).CurrentList()->setCurrentIndex(
        Inside(window).CurrentList()->model()->index(0, 0));
    ASSERT_FALSE(preview->PrevImage()->Picture().isNull());
    prompter_.QueueYes();
    window.AlleBilderentfernen1Click();
    EXPECT_TRUE(preview->PrevImage()->Picture().isNull());
}

TEST_F(PictureToolsTest, AStoredCategoryThatNamesNoneShowsNoList) {
    WriteCategories({"Natur"}, 7);
    TOrvel& window = Start();
    window.show();
    EXPECT_FALSE(Inside(window).PictureList(0)->isVisible());
    EXPECT_FALSE(Inside(window).PictureList(1)->isVisible());
    Inside(window).CategoryButton(1)->click();
    EXPECT_TRUE(Inside(window).PictureList(1)->isVisible());
}

TEST_F(PictureToolsTest, TransparencyAskedForAtAStartThatEndsAtOnceStillRuns) {
    WriteCategories({"Natur"}, 1);
    TOrvel& window = Start({"-trans", "-close"}, StartupOutcome::EndAfterStartup);
    window.EndProgram();
    EXPECT_THAT(wallpaper_.calls, ElementsAre("trans"));
}

TEST_F(PictureToolsTest, TheFileDateIsWrittenAsTheInterfaceLanguageWritesIt) {
    WriteCategories({"Natur"}, 1);
    WritePicture("Natur.jpg");
    const QDateTime when(QDate(2003, 1, 25), QTime(14, 38, 42));
    const utimbuf times{when.toSecsSinceEpoch(), when.toSecsSinceEpoch()};
    ASSERT_EQ(::utime(dir_.File("Natur.jpg").c_str(), &times), 0);
    for (const char* language : {"de", "en"}) {
        language_ = language;
        TOrvel& window = Start();
        TPictureList* list = Inside(window).PictureList(1);
        list->setCurrentIndex(list->model()->index(0, 0));
        const QString text = Inside(window).StatusText(1);
        if (language_ == "de")
            EXPECT_TRUE(text.contains("25.01.2003 14:38:42")) << text.toStdString();
        else
            EXPECT_TRUE(text.contains("1/25/2003 2:38:42")) << text.toStdString();
    }
}

}  // namespace
}  // namespace orvella
