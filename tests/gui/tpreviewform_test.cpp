#include "gui/tpreviewform.h"

#include <QImage>
#include <QListView>
#include <QListWidget>
#include <QSignalSpy>

#include "gui/found_pictures.h"
#include "gui/picture_box.h"
#include "gui/tfindpics.h"
#include "gui/thtmlthumbnail.h"
#include "main_window_fixture.h"
#include "platform/desktop/screen.h"
#include "support/replacement_count.h"

namespace orvella::testing {
namespace {

// Four quadrants: red, green / blue, yellow.
QImage Quadrants(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            picture.setPixel(x, y,
                             !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                                     : (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255)));
        }
    return picture;
}

bool Near(QColor actual, QColor expected) {
    return std::abs(actual.red() - expected.red()) < 40 &&
           std::abs(actual.green() - expected.green()) < 40 &&
           std::abs(actual.blue() - expected.blue()) < 40;
}

class TPreviewFormTest : public TOrvelTest {
protected:
    std::unique_ptr<TPreviewForm> MakePreview(QWidget* parent = nullptr) {
        auto preview = std::make_unique<TPreviewForm>(
            TPreviewServices{
                .catalogue = catalogue_,
                .prompter = prompter_,
                .screen = *platform_->screen,
                .program_dir = program_,
                .form_file = program_ + "ovl.dat",
            },
            parent);
        return preview;
    }

    QImage Placeholder() const {
        return QImage(QString::fromStdString(program_ + "nopreview.png"))
            .convertToFormat(QImage::Format_RGB32);
    }

    std::string Page(const std::string& name, const std::string& colour) {
        dir_.Write(name, "<html><body bgcolor=\"" + colour + "\"><p>Seite</p></body></html>");
        return dir_.File(name);
    }

    static void WaitForRendering(TPreviewForm& preview) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.PrevHtml()->Rendering(); }, 20000));
    }
};

TEST_F(TPreviewFormTest, PicturesAreStretchedOverTheWindowAndGifsShowThePlaceholder) {
    std::unique_ptr<TPreviewForm> preview = MakePreview();
    EXPECT_EQ(preview->windowTitle(), QString("Vorschaubild..."));
    EXPECT_TRUE(preview->windowFlags() & Qt::Tool);
    EXPECT_TRUE(preview->windowFlags() & Qt::WindowStaysOnTopHint);
    preview->resize(252, 191);
    preview->show();

    ASSERT_TRUE(Quadrants(1600, 1200).save(QString::fromStdString(dir_.File("gross.jpg")), "JPG"));
    preview->ShowInPreview(dir_.File("gross.jpg"));
    EXPECT_FALSE(preview->PrevImage()->isHidden());
    EXPECT_TRUE(preview->PrevHtml()->isHidden());
    // Read at the size it is drawn at.
    EXPECT_EQ(preview->PrevImage()->Picture().size(), QSize(252, 191));
    const QImage drawn = preview->PrevImage()->grab().toImage();
    ASSERT_EQ(drawn.size(), QSize(252, 191));
    // Distorted to the window's shape: each quadrant fills a quarter of the window.
    EXPECT_TRUE(Near(drawn.pixelColor(10, 10), Qt::red));
    EXPECT_TRUE(Near(drawn.pixelColor(241, 10), Qt::green));
    EXPECT_TRUE(Near(drawn.pixelColor(10, 180), Qt::blue));
    EXPECT_TRUE(Near(drawn.pixelColor(241, 180), Qt::yellow));
    EXPECT_TRUE(Near(drawn.pixelColor(120, 90), Qt::red));
    EXPECT_TRUE(Near(drawn.pixelColor(131, 100), Qt::yellow));

    // A larger window reads the picture again at its new size.
    preview->resize(400, 300);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return preview->PrevImage()->Picture().size() == QSize(400, 300); }, 2000));

    // A GIF is not loaded, even when it could be; damaged and missing files neither.
    ASSERT_TRUE(Quadrants(40, 30).save(QString::fromStdString(dir_.File("bild.gif")), "PNG"));
    dir_.Write("kaputt.jpg", "not a picture");
    for (const char* name : {"bild.gif", "kaputt.jpg", "fehlt.png"}) {
        preview->ShowInPreview(dir_.File(name));
        EXPECT_EQ(preview->PrevImage()->Picture().convertToFormat(QImage::Format_RGB32),
                  Placeholder())
            << name;
    }
    EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(TPreviewFormTest, AnHtmlPageIsRenderedAtScreenSizeAndTheLatestRequestWins) {
    std::unique_ptr<TPreviewForm> preview = MakePreview();
    preview->resize(252, 191);
    preview->show();
    QSignalSpy rendered(preview->PrevHtml(), &THTMLThumbnail::Rendered);

    preview->ShowInPreview(Page("gruen.htm", "#00ff00"));
    EXPECT_TRUE(preview->PrevImage()->isHidden());
    EXPECT_FALSE(preview->PrevHtml()->isHidden());
    EXPECT_EQ(preview->PrevHtml()->HTMLPageWidth(), 1024);
    EXPECT_EQ(preview->PrevHtml()->HTMLPageHeight(), 768);
    WaitForRendering(*preview);
    ASSERT_EQ(rendered.count(), 1);
    // The page less its margins and scroll-bar strips, drawn over the whole window.
    EXPECT_EQ(preview->PrevHtml()->Picture().size(), QSize(1024 - 21, 768 - 14));
    const QImage drawn = preview->PrevHtml()->grab().toImage();
    ASSERT_EQ(drawn.size(), QSize(252, 191));
    EXPECT_EQ(drawn.pixelColor(200, 150), QColor(0, 255, 0));

    // Requests overtaking each other: only the last one is shown, once.
    std::string big = "<html><body bgcolor=\"#ff0000\">";
    for (int i = 0; i < 3000; ++i)
        big += "<p>Eine lange Seite, Zeile " + std::to_string(i) + "</p>";
    dir_.Write("rot.htm", big + "</body></html>");
    rendered.clear();
    preview->ShowInPreview(dir_.File("rot.htm"));
    preview->ShowInPreview(Page("gelb.htm", "#ffff00"));
    preview->ShowInPreview(Page("blau.htm", "#0000ff"));
    WaitForRendering(*preview);
    QTest::qWait(50);  // a late result of an overtaken request would arrive now
    EXPECT_EQ(rendered.count(), 1);
    EXPECT_EQ(preview->PrevHtml()->grab().toImage().pixelColor(200, 150), QColor(0, 0, 255));

    // A page that cannot be read is reported and the previous rendering stays.
    prompter_.QueueOk();
    preview->ShowInPreview(dir_.File("fehlt.htm"));
    WaitForRendering(*preview);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter_.shown().empty(); }, 5000));
    EXPECT_NE(prompter_.shown()[0].text.find("fehlt.htm"), std::string::npos);
    EXPECT_EQ(preview->PrevHtml()->grab().toImage().pixelColor(200, 150), QColor(0, 0, 255));
}

TEST_F(TPreviewFormTest, ClearingEmptiesBothHoldersAndDropsARenderingUnderWay) {
    std::unique_ptr<TPreviewForm> preview = MakePreview();
    preview->resize(252, 191);
    preview->show();
    ASSERT_TRUE(Quadrants(80, 60).save(QString::fromStdString(dir_.File("bild.jpg")), "JPG"));
    preview->ShowInPreview(dir_.File("bild.jpg"));
    preview->ShowInPreview(Page("gruen.htm", "#00ff00"));
    WaitForRendering(*preview);
    ASSERT_FALSE(preview->PrevHtml()->Picture().isNull());

    QSignalSpy rendered(preview->PrevHtml(), &THTMLThumbnail::Rendered);
    preview->ShowInPreview(Page("blau.htm", "#0000ff"));
    preview->ClearPictures();
    EXPECT_TRUE(preview->PrevImage()->Picture().isNull());
    EXPECT_TRUE(preview->PrevHtml()->Picture().isNull());
    QTest::qWait(1500);  // the page rendered meanwhile must not come back
    EXPECT_EQ(rendered.count(), 0);
    EXPECT_TRUE(preview->PrevHtml()->Picture().isNull());
}

TEST_F(TPreviewFormTest, TheMenuItemShowsTheWindowAndOnlyTheUserClosingItUnchecksIt) {
    WriteThreeCategories(1);
    for (const char* name : {"wald.jpg", "see.jpg"})
        ASSERT_TRUE(Quadrants(64, 48).save(QString::fromStdString(dir_.File(name)), "JPG"));
    TOrvel& window = Start();
    std::unique_ptr<TPreviewForm> preview = MakePreview(&window);
    window.SetPreviewForm(preview.get());
    window.ShowAfterStartup();
    QAction* show_preview = Inside(window).Action("ShowPreview");
    ASSERT_TRUE(show_preview->isEnabled());
    EXPECT_FALSE(show_preview->isChecked());
    EXPECT_FALSE(preview->isVisible());

    // Unchecked, a change in the list loads nothing.
    TPictureList* list = Inside(window).CurrentList();
    list->setCurrentIndex(list->pictures()->index(1, 0));
    EXPECT_TRUE(preview->PrevImage()->Picture().isNull());

    show_preview->trigger();
    EXPECT_TRUE(show_preview->isChecked());
    EXPECT_TRUE(preview->isVisible());
    list->setCurrentIndex(list->pictures()->index(0, 0));
    EXPECT_FALSE(preview->PrevImage()->Picture().isNull());
    EXPECT_NE(preview->PrevImage()->Picture().convertToFormat(QImage::Format_RGB32), Placeholder());

    show_preview->trigger();
    EXPECT_FALSE(preview->isVisible());
    show_preview->trigger();
    preview->close();  // the close box
    EXPECT_FALSE(show_preview->isChecked());
    EXPECT_FALSE(preview->isVisible());

    // The program ending with the preview shown keeps it on for the next start.
    show_preview->trigger();
    preview->move(40, 50);
    testing::ReplacementCount replacements;
    window.close();
    // Both windows' sections reach "ovl.dat" in one replacement.
    EXPECT_EQ(replacements.Of(dir_.File("prog/ovl.dat")), 1);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(show_preview->isChecked());
    const ProfileDocument stored = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_EQ(stored.Value("Wallpaper", "ShowPreview_Checked"), "True");
    EXPECT_TRUE(stored.HasSection("PreviewPane"));

    preview.reset();
    TOrvel& again = Start();
    std::unique_ptr<TPreviewForm> next = MakePreview(&again);
    again.SetPreviewForm(next.get());
    again.ShowAfterStartup();
    EXPECT_TRUE(next->isVisible());
}

TEST_F(TPreviewFormTest, TheSearchShowsTheFocusedFindOnKeyAndButtonRelease) {
    WriteThreeCategories(1);
    const std::string drive = dir_.File("suche/");
    std::filesystem::create_directories(drive);
    const auto plain = [](QColor colour) {
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(colour);
        return picture;
    };
    ASSERT_TRUE(plain(Qt::red).save(QString::fromStdString(drive + "a.png"), "PNG"));
    ASSERT_TRUE(plain(Qt::blue).save(QString::fromStdString(drive + "b.png"), "PNG"));
    class OneDrive : public Drives {
    public:
        explicit OneDrive(std::string root) : root_(std::move(root)) {}
        std::vector<Drive> List() const override {
            return {{root_, DriveType::Fixed, "SUCHE", "ext4"}};
        }

    private:
        std::string root_;
    };
    platform_->drives = std::make_unique<OneDrive>(drive);
    TOrvel& window = Start();
    std::unique_ptr<TPreviewForm> preview = MakePreview(&window);
    window.SetPreviewForm(preview.get());
    window.show();
    window.AufderFestplatte1Click();
    TFindPics& search = *Inside(window).FindPicsWindow();
    search.LBSearchPics()->item(3)->setCheckState(Qt::Checked);
    search.LogicalDrives()->item(0)->setCheckState(Qt::Checked);
    search.BtnFindClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !search.FindFile().Busy(); }, 20000));
    ASSERT_EQ(search.found().rowCount(), 2);

    // Shown whether or not the preview window is.
    QListView* list = search.LBPicsFound();
    const int b = search.found().Path(0).endsWith("b.png") ? 0 : 1;
    list->setCurrentIndex(search.found().index(b));
    QTest::keyRelease(list, Qt::Key_Down);
    EXPECT_EQ(preview->PrevImage()->Picture().pixelColor(5, 5), QColor(Qt::blue));
    list->setCurrentIndex(search.found().index(1 - b));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {},
                        list->visualRect(search.found().index(1 - b)).center());
    EXPECT_EQ(preview->PrevImage()->Picture().pixelColor(5, 5), QColor(Qt::red));
}

}  // namespace
}  // namespace orvella::testing
