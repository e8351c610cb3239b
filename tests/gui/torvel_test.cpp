#include "gui/torvel.h"

#include <QAction>

#include "main_window_fixture.h"
#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "platform/system/environment.h"
#include "settings/language_entry.h"

namespace orvella {
namespace {

using namespace orvella::testing;
using ::testing::ElementsAre;

TEST_F(TOrvelTest, BuildsOneButtonAndOneListPerCategoryAndShowsTheCurrentOne) {
    WriteThreeCategories(2);
    TOrvel& window = Start();
    EXPECT_EQ(splashes_, 1);

    ASSERT_EQ(window.store().count(), 3);
    const QString captions[] = {"Alle", "Natur", "Städte"};
    for (int i = 0; i < 3; ++i) {
        QToolButton* button = Inside(window).CategoryButton(i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->objectName(), QString("CatBtn%1").arg(i));
        EXPECT_EQ(button->text(), captions[i]);
        EXPECT_EQ(button->width(), 85);
        EXPECT_FALSE(button->icon().isNull());
        TPictureList* list = Inside(window).PictureList(i);
        EXPECT_EQ(list->objectName(), QString("ListViewCatBtn%1").arg(i));
        EXPECT_EQ(list->property("Tag").toInt(), i);
        EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(),
                  QString("     Bilder in dieser Kategorie"));
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    EXPECT_EQ(Inside(window).KatImageList().size(), 3u);
    EXPECT_THAT(Inside(window).IconFiles(), ElementsAre(Icon(), Icon(), Icon()));

    // The summary holds every picture; each list shows its category in the store's order.
    EXPECT_EQ(Inside(window).PictureList(0)->model()->rowCount(), 5);
    TPictureList* cities = Inside(window).PictureList(2);
    ASSERT_EQ(cities->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(cities->model()->index(row, 0).data().toString().toStdString(), Pictures(2)[row]);

    // The stored active category is current after the load.
    window.show();
    EXPECT_EQ(window.store().CurrentCategory(), 2);
    EXPECT_TRUE(cities->isVisible());
    EXPECT_FALSE(Inside(window).PictureList(1)->isVisible());
    EXPECT_EQ(window.findChild<QGroupBox*>("FlatGroupBox")->title(), QString("Städte"));
    EXPECT_EQ(Inside(window).StatusText(0), QString("3 Bilder in dieser Kategorie"));

    // Clicking another button switches list, caption and count, and clears panel 1.
    Inside(window).CategoryButton(1)->click();
    EXPECT_EQ(window.store().CurrentCategory(), 1);
    EXPECT_TRUE(Inside(window).PictureList(1)->isVisible());
    EXPECT_FALSE(cities->isVisible());
    EXPECT_EQ(window.findChild<QGroupBox*>("FlatGroupBox")->title(), QString("Natur"));
    EXPECT_EQ(Inside(window).StatusText(0), QString("2 Bilder in dieser Kategorie"));
    EXPECT_EQ(Inside(window).StatusText(1), QString());
}

TEST_F(TOrvelTest, TheSlideshowCommandsAreThereAndAnEmptyCategoryIsTold) {
    TOrvel& window = Start();
    QAction* menu_entry = window.findChild<QAction*>("Diashowstarten1");
    ASSERT_NE(menu_entry, nullptr);
    EXPECT_EQ(menu_entry->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_TRUE(menu_entry->isEnabled());
    EXPECT_TRUE(window.findChild<QAction*>("TbDia")->isEnabled());
    prompter_.QueueOk();
    menu_entry->trigger();
    ASSERT_EQ(prompter_.shown().size(), 1U);
    EXPECT_EQ(prompter_.shown()[0].caption, "Kategorie ist leer");
    EXPECT_EQ(prompter_.shown()[0].style, MessageStyle::Warning);
}

TEST_F(TOrvelTest, AFreshProgramFolderStartsWithTheSummaryAndItsShippedIcon) {
    TOrvel& window = Start();
    ASSERT_EQ(window.store().count(), 1);
    EXPECT_EQ(Inside(window).CategoryButton(0)->text(), QString("Alle"));
    EXPECT_THAT(Inside(window).IconFiles(), ElementsAre(Icon()));
    EXPECT_TRUE(prompter_.shown().empty());  // the icon was there: no missing-icon message
}

TEST_F(TOrvelTest, AMissingOrUnreadableIconIsReportedAndReplacedByTheBuiltInOne) {
    WriteThreeCategories(0);
    ProfileDocument document = ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"));
    document.SetValue("Cat_1.Details", "Icon", dir_.File("missing.bmp"));
    dir_.Write("broken.bmp", "BM not really a picture");
    document.SetValue("Cat_2.Details", "Icon", dir_.File("broken.bmp"));
    dir_.Write("prog/ovlimg.dat", document.Serialize());
    prompter_.QueueOk();
    prompter_.QueueOk();

    TOrvel& window = Start();
    ASSERT_EQ(prompter_.shown().size(), 2u);
    EXPECT_EQ(prompter_.shown()[0].text,
              "Die angegebene Grafikdatei für die Kategorie Natur konnte nicht gefunden werden.");
    EXPECT_EQ(prompter_.shown()[0].caption, "Bilddatei nicht gefunden");
    EXPECT_EQ(prompter_.shown()[0].style, MessageStyle::Error);
    EXPECT_EQ(prompter_.shown()[1].caption, "Fehler");
    EXPECT_FALSE(prompter_.shown()[1].text.empty());
    // Every category still got an icon, and the paths as given are kept.
    ASSERT_EQ(Inside(window).KatImageList().size(), 3u);
    const QImage fallback = Inside(window).KatImageList()[1].toImage();
    EXPECT_EQ(fallback.size(), QSize(32, 32));
    EXPECT_EQ(Inside(window).KatImageList()[2].toImage(), fallback);
    EXPECT_NE(Inside(window).KatImageList()[0].toImage(), fallback);
    EXPECT_EQ(Inside(window).IconFiles()[1], dir_.File("missing.bmp"));
}

TEST_F(TOrvelTest, MenusFollowTheCategoryFocusAndSelection) {
    WriteThreeCategories(0);
    TOrvel& window = Start();
    window.show();

    QAction* selected_as_wallpaper = Inside(window).Action("MarkiertesBildalsHintergund1");
    QAction* edit_category = Inside(window).Action("Kategoriebearbeiten1");
    TPictureList* all = Inside(window).PictureList(0);

    window.Hintergrundbild1Click();
    EXPECT_FALSE(selected_as_wallpaper->isEnabled());
    all->setCurrentIndex(all->model()->index(1, 0));
    window.Hintergrundbild1Click();
    EXPECT_TRUE(selected_as_wallpaper->isEnabled());

    window.Kategorien1Click();
    EXPECT_FALSE(edit_category->isEnabled());
    Inside(window).CategoryButton(1)->click();
    window.Kategorien1Click();
    EXPECT_TRUE(edit_category->isEnabled());
    EXPECT_FALSE(Inside(window).Action("Bilderentfernen1")->isEnabled());
    TPictureList* selected = Inside(window).PictureList(1);
    selected->selectionModel()->select(selected->model()->index(0, 0), QItemSelectionModel::Select);
    window.Kategorien1Click();
    EXPECT_TRUE(Inside(window).Action("Bilderentfernen1")->isEnabled());
    // Copying follows its rule: a selection outside the summary.
    EXPECT_TRUE(Inside(window).Action("Bilderkopierenverschieben1")->isEnabled());
    EXPECT_TRUE(Inside(window).Action("Speichern1")->isEnabled());
    EXPECT_FALSE(Inside(window).Action("Beenden2")->isEnabled());

    // Double click and the menu entry set the focused picture.
    TPictureList* nature = Inside(window).PictureList(1);
    nature->setCurrentIndex(nature->model()->index(0, 0));
    selected_as_wallpaper->trigger();
    Inside(window).Action("SBSet")->trigger();
    // The two starfields, from the wallpaper menu.
    window.Hintergrundbild1Click();
    ASSERT_TRUE(Inside(window).Action("Einfach1")->isEnabled());
    ASSERT_TRUE(Inside(window).Action("Difus1")->isEnabled());
    Inside(window).Action("Einfach1")->trigger();
    Inside(window).Action("Difus1")->trigger();
    EXPECT_THAT(wallpaper_.calls, ElementsAre("selected " + Pictures(1)[0], "random 1",
                                              "starfield Simple", "starfield Advanced"));
}

TEST_F(TOrvelTest, TheRightClickedButtonDecidesWhatTheCategoryMenuOffers) {
    WriteThreeCategories(0);
    TOrvel& window = Start();
    window.show();

    std::vector<int> tags;
    std::vector<bool> edit_enabled;
    const auto right_click = [&](int index) {
        QTimer::singleShot(0, [&] {
            tags.push_back(Inside(window).KatPopupTag());
            edit_enabled.push_back(Inside(window).Action("KatEdit")->isEnabled() &&
                                   Inside(window).Action("KatDelete")->isEnabled());
            Inside(window).KatPopup()->close();
        });
        QToolButton* button = Inside(window).CategoryButton(index);
        emit button->customContextMenuRequested(button->rect().center());
    };
    right_click(2);
    right_click(0);
    EXPECT_THAT(tags, ElementsAre(2, 0));
    EXPECT_THAT(edit_enabled, ElementsAre(true, false));
}

TEST_F(TOrvelTest, PictureListChangeShowsTheFocusedPicturesFile) {
    WriteThreeCategories(1);
    dir_.Write("see.jpg", std::string(2048, 'x'));
    TOrvel& window = Start();
    window.show();
    TPictureList* nature = Inside(window).PictureList(1);
    const int see = Pictures(1)[0] == dir_.File("see.jpg") ? 0 : 1;

    nature->setCurrentIndex(nature->model()->index(see, 0));
    EXPECT_TRUE(Inside(window).StatusText(1).startsWith("Dateidatum: "));
    EXPECT_TRUE(Inside(window).StatusText(1).endsWith(" - Dateigröße: 2 KB"));
    nature->setCurrentIndex(nature->model()->index(1 - see, 0));
    EXPECT_EQ(Inside(window).StatusText(1), QString("Dateidatum:    Dateigröße:"));
}

TEST_F(TOrvelTest, SortingFollowsTheStoredOptionAndApplyPictureSort) {
    WriteThreeCategories(2);
    dir_.Write("prog/ovl.dat", "[Wallpaper]\r\nFormVersion=3\r\nLVSort=-1\r\n");
    TOrvel& window = Start();
    EXPECT_TRUE(window.store().sorted());
    EXPECT_THAT(Pictures(2),
                ElementsAre(dir_.File("paris.jpg"), dir_.File("rom.jpg"), dir_.File("wien.jpg")));
    TPictureList* cities = Inside(window).PictureList(2);
    EXPECT_TRUE(cities->header()->isSortIndicatorShown());
    EXPECT_EQ(cities->model()->index(0, 0).data().toString().toStdString(), dir_.File("paris.jpg"));

    window.ApplyPictureSort(false);
    EXPECT_FALSE(cities->header()->isSortIndicatorShown());
}

TEST_F(TOrvelTest, BackPanelResizeLaysOutTheFrameAndNarrowsTheColumnForAScrollBar) {
    WriteThreeCategories(2);
    TOrvel& window = Start();
    window.resize(640, 480);
    window.show();
    QWidget* back = window.findChild<QWidget*>("BackPanel");
    QWidget* frame = window.findChild<QWidget*>("FlatGroupBox");
    QWidget* panel = window.findChild<QWidget*>("PanelList");
    window.BackPanelResize();
    EXPECT_EQ(frame->width(), back->width() - 26);
    EXPECT_EQ(frame->height(), back->height() - 24);
    EXPECT_EQ(panel->width(), frame->width() - 31);
    EXPECT_EQ(panel->height(), frame->height() - 42);
    TPictureList* cities = Inside(window).PictureList(2);
    EXPECT_EQ(cities->columnWidth(0), panel->width() - 5);

    // Enough pictures that the list cannot show them all at once.
    for (int i = 0; i < 200; ++i)
        window.store().AddPicture(2, dir_.File("p" + std::to_string(1000 + i) + ".jpg"), true);
    window.BackPanelResize();
    EXPECT_EQ(cities->columnWidth(0), panel->width() - 5 - 21);
}

TEST_F(TOrvelTest, CloseWritesTheStoreAndTheWallpaperSectionAndTheHandle) {
    WriteThreeCategories(2);
    TOrvel& window = Start({"-close"}, StartupOutcome::EndAfterStartup);
    window.EndProgram();

    const ProfileDocument store = ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"));
    EXPECT_THAT(store.KeyNames("Categories"), ElementsAre("Cat_0", "Cat_1", "Cat_2"));
    EXPECT_EQ(store.Value("Custom", "ActiveCat"), "2");
    const ProfileDocument settings = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_EQ(settings.Value("Wallpaper", "FormVersion"), "3");
    EXPECT_EQ(settings.Value("Wallpaper", "Deutsch1_Checked"), "True");
    EXPECT_EQ(settings.Value("Wallpaper", "LVSort"), "0");
    EXPECT_TRUE(settings.HasKey("Wallpaper", "NormPos"));

    std::optional<RegistryKey> key =
        RegistryKey::Open(*platform_->registry, RegistryRoot::CurrentUser,
                          "Software\\Brenmark Software\\Orvella", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadDword("WHandle"), Inside(window).window_handle());
    EXPECT_NE(Inside(window).window_handle(), 0u);
}

TEST_F(TOrvelTest, TheLanguageMenuStartsOnTheLanguageInForceAndStoresTheChoice) {
    language_ = "en";  // an English first start checks "Englisch"
    TOrvel& first = Start({"-close"}, StartupOutcome::EndAfterStartup);
    QAction* deutsch = Inside(first).Action("Deutsch1");
    QAction* englisch = Inside(first).Action("Englisch1");
    EXPECT_TRUE(englisch->isChecked() && englisch->isEnabled());
    EXPECT_FALSE(deutsch->isChecked());

    prompter_.QueueNo();
    deutsch->trigger();
    EXPECT_EQ(ReadLanguageEntry(*platform_->registry, ExecutablePath()), "de");
    first.EndProgram();
    const ProfileDocument settings = ProfileDocument::Parse(dir_.Read("prog/ovl.dat"));
    EXPECT_EQ(settings.Value("Wallpaper", "Deutsch1_Checked"), "True");
    EXPECT_EQ(settings.Value("Wallpaper", "Englisch1_Checked"), "False");

    // The next start shows the stored choice, whatever language is in force.
    TOrvel& second = Start({"-close"}, StartupOutcome::EndAfterStartup);
    EXPECT_TRUE(Inside(second).Action("Deutsch1")->isChecked());
    EXPECT_FALSE(Inside(second).Action("Englisch1")->isChecked());
}

TEST_F(TOrvelTest, SwitchesReachTheWallpaperOperationsAfterTheLoad) {
    WriteThreeCategories(1);
    Start({"/wall", "-trans", "-WALL"});
    EXPECT_THAT(wallpaper_.calls, ElementsAre("random 1"));
    // The transparency command follows half a second later.
    QTest::qWait(700);
    EXPECT_THAT(wallpaper_.calls, ElementsAre("random 1", "trans"));
}

TEST_F(TOrvelTest, TheRefreshMessageReReadsTheCategoryAnOutsideProgramFilled) {
    WriteThreeCategories(1);
    TOrvel& window = Start();
    window.show();
    ASSERT_EQ(Inside(window).PictureList(1)->model()->rowCount(), 2);

    // What an outside program does: add a picture key, name the category, send 2025.
    ProfileDocument document = ProfileDocument::Parse(dir_.Read("prog/ovlimg.dat"));
    document.SetValue("Cat_1.Wallpapers", dir_.File("neu.jpg"), "");
    document.SetValue("Custom", "RefreshCategorie", "1");
    dir_.Write("prog/ovlimg.dat", document.Serialize());
    const std::string socket = WindowSocketPath(environment_, Inside(window).window_handle());
    ASSERT_TRUE(SendWindowMessage(socket, kWmRefreshCategory).ok());
    ASSERT_TRUE(SendWindowMessage(socket, 12345).ok());  // anything else changes nothing

    for (int i = 0; i < 50 && Inside(window).PictureList(1)->model()->rowCount() != 3; ++i)
        QTest::qWait(20);
    EXPECT_EQ(Inside(window).PictureList(1)->model()->rowCount(), 3);
    EXPECT_EQ(Inside(window).PictureList(0)->model()->rowCount(), 6);
    EXPECT_EQ(Inside(window).StatusText(0), QString("3 Bilder in dieser Kategorie"));
}

TEST_F(TOrvelTest, OnWindowsXpShowingTheWindowDisablesTheTwoTransparencyEntries) {
    TOrvel& xp = Start();
    xp.show();
    EXPECT_FALSE(Inside(xp).Action("Iconstransparentsetzen1")->isEnabled());
    EXPECT_FALSE(Inside(xp).Action("Iconstransparentsetzen2")->isEnabled());
    EXPECT_TRUE(Inside(xp).Action("DesktopIconstransparentsetzen1")->isEnabled());

    environment_.Set("ORVELLA_WINVER", "98");
    Result<Platform> older = CreateHostPlatform(environment_, program_ + "orvella",
                                                std::make_shared<CodecPictureLoader>());
    ASSERT_TRUE(older) << older.message();
    dialog_.reset();
    window_.reset();  // it uses the platform being replaced
    platform_.emplace(std::move(*older));
    TOrvel& windows98 = Start();
    windows98.show();
    EXPECT_TRUE(Inside(windows98).Action("Iconstransparentsetzen1")->isEnabled());
    EXPECT_TRUE(Inside(windows98).Action("Iconstransparentsetzen2")->isEnabled());
}

TEST_F(TOrvelTest, WallWithoutAStoreFileChangesNothing) {
    Start({"-wall"});
    EXPECT_TRUE(wallpaper_.calls.empty());
}

TEST_F(TOrvelTest, MinimisingGoesToTheTrayOrToTheTaskBarWithoutOne) {
    WriteThreeCategories(0);
    TOrvel& window = Start({"-min"});
    window.ShowAfterStartup();
    EXPECT_TRUE(Inside(window).in_tray());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(Inside(window).TrayIcon()->isVisible());
    EXPECT_EQ(Inside(window).TrayIcon()->toolTip(), QString("Orvella 3.0"));
    EXPECT_EQ(Inside(window).TrayPop()->defaultAction(), Inside(window).Action("Wiederherstellen"));

    Inside(window).Action("Wiederherstellen")->trigger();
    EXPECT_FALSE(Inside(window).in_tray());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(Inside(window).TrayIcon()->isVisible());

    // Without a tray the window never hides: it stays on the task bar, minimised.
    tray_ = false;
    window.ApplicationEventsMinimize();
    EXPECT_FALSE(Inside(window).in_tray());
    EXPECT_TRUE(window.isVisible());

    TOrvel& second = Start({"-min"});
    second.ShowAfterStartup();
    EXPECT_FALSE(Inside(second).in_tray());
    EXPECT_TRUE(second.isMinimized());
    EXPECT_FALSE(Inside(second).TrayIcon()->isVisible());
}

TEST_F(TOrvelTest, ShellExtensionSwitchesTouchOnlyTheHiveAndTheFileManagers) {
    TOrvel& window = Start({"-shellex", "-close"}, StartupOutcome::EndWithoutWindow);
    EXPECT_EQ(splashes_, 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(dir_.Read("registry.reg").empty());
    EXPECT_EQ(dir_.Read("prog/ovlimg.dat"), "");  // never opened
    std::optional<RegistryKey> key =
        RegistryKey::Open(*platform_->registry, RegistryRoot::ClassesRoot,
                          "jpegfile\\ShellEx\\ContextMenuHandlers", false);
    EXPECT_TRUE(key.has_value());
    // The entry starts the program beside this one.
    EXPECT_NE(dir_.Read("data/nemo/actions/orvella-add-to-category.nemo_action")
                  .find(dir_.File("prog/orvella-add-to-category")),
              std::string::npos);

    Start({"-delshellex"}, StartupOutcome::EndWithoutWindow);
    EXPECT_FALSE(FileExists(dir_.File("data/nemo/actions/orvella-add-to-category.nemo_action")));
}

TEST_F(CategoryEditingTest, ANewCategoryIsCreatedMadeCurrentAndSaved) {
    WriteCategories({"Natur"});
    TOrvel& window = Start();
    window.show();

    // An empty name is refused and the dialog stays open with the input.
    prompter_.QueueOk();
    const int refused = WithDialog(
        *dialog_,
        [&](TAddKatForm& dialog) {
            EXPECT_EQ(dialog.Tag(), 0);
            EXPECT_EQ(dialog.EdtKatName()->text(), QString());
            EXPECT_EQ(dialog.EdtKatIcon()->text().toStdString(), Icon());
            dialog.BtnOk()->click();
            EXPECT_TRUE(dialog.isVisible());
        },
        [&] { return window.AddKatClick(); });
    EXPECT_EQ(refused, QDialog::Rejected);
    ASSERT_EQ(prompter_.shown().size(), 1u);
    EXPECT_EQ(prompter_.shown()[0].text, "Bitte geben Sie einen Namen für die Kategorie an.");
    EXPECT_EQ(prompter_.shown()[0].style, MessageStyle::Information);
    EXPECT_EQ(window.store().count(), 2);

    const int added = WithDialog(
        *dialog_,
        [&](TAddKatForm& dialog) {
            dialog.EdtKatName()->setText("Tiere");
            dialog.BtnOk()->click();
        },
        [&] { return window.AddKatClick(); });
    EXPECT_EQ(added, QDialog::Accepted);
    ASSERT_EQ(window.store().count(), 3);
    EXPECT_EQ(window.store().CurrentCategory(), 2);
    EXPECT_EQ(Inside(window).CategoryButton(2)->text(), QString("Tiere"));
    EXPECT_TRUE(Inside(window).PictureList(2)->isVisible());
    EXPECT_EQ(Saved().Value("Cat_2.Details", "Name"), "Tiere");
    EXPECT_EQ(Saved().Value("Cat_2.Details", "Icon"), Icon());
    EXPECT_EQ(Saved().Value("Custom", "ActiveCat"), "2");
}

TEST_F(CategoryEditingTest, EditingChangesTheNameAndOnlyAChosenIcon) {
    WriteCategories({"Natur", "Städte"}, 1);
    TOrvel& window = Start();
    window.show();
    const qint64 icon_before = Inside(window).KatImageList()[1].cacheKey();

    WithDialog(
        *dialog_,
        [&](TAddKatForm& dialog) {
            EXPECT_EQ(dialog.Tag(), 1);
            EXPECT_EQ(dialog.EdtKatName()->text(), QString("Natur"));
            EXPECT_EQ(dialog.EdtKatIcon()->text().toStdString(), dir_.File("Natur.bmp"));
            dialog.EdtKatName()->setText("Wald");
            dialog.BtnOk()->click();
        },
        [&] { return window.KatEditClick(Inside(window).Action("Kategoriebearbeiten1")); });
    EXPECT_EQ(Inside(window).CategoryButton(1)->text(), QString("Wald"));
    EXPECT_EQ(Inside(window).KatImageList()[1].cacheKey(), icon_before);  // not made again
    EXPECT_EQ(Saved().Value("Cat_1.Details", "Name"), "Wald");
    EXPECT_EQ(Saved().Value("Cat_1.Details", "Icon"), dir_.File("Natur.bmp"));
    // The frame above the list keeps the old name until a category is made current.
    EXPECT_EQ(window.findChild<QGroupBox*>("FlatGroupBox")->title(), QString("Natur"));

    // Choosing an icon through the dialog's button changes path and picture.
    files_.answers.push_back({dir_.File("neu.bmp")});
    dir_.Write("neu.bmp", dir_.Read("prog/Icons/StdImage.bmp"));
    WithDialog(
        *dialog_,
        [&](TAddKatForm& dialog) {
            dialog.findChild<QToolButton*>("SelectKatIconBtn")->click();
            dialog.BtnOk()->click();
        },
        [&] { return window.KatEditClick(Inside(window).Action("Kategoriebearbeiten1")); });
    ASSERT_EQ(files_.requests.size(), 1u);
    EXPECT_EQ(files_.requests[0].title, "Kategorie Icon suchen...");
    EXPECT_EQ(files_.requests[0].folder, dir_.path());
    EXPECT_EQ(files_.requests[0].filter, TAddKatForm::kIconFilter);
    EXPECT_NE(Inside(window).KatImageList()[1].cacheKey(), icon_before);
    EXPECT_EQ(Inside(window).IconFiles()[1], dir_.File("neu.bmp"));
    EXPECT_EQ(Saved().Value("Cat_1.Details", "Icon"), dir_.File("neu.bmp"));
}

TEST_F(CategoryEditingTest, TheBarMenuEditsTheClickedCategoryAndTheMainMenuTheCurrentOne) {
    WriteCategories({"Eins", "Zwei", "Drei", "Vier"}, 2);
    TOrvel& window = Start();
    window.show();
    QTimer::singleShot(0, [&] { Inside(window).KatPopup()->close(); });
    emit Inside(window).CategoryButton(4)->customContextMenuRequested({1, 1});
    ASSERT_EQ(Inside(window).KatPopupTag(), 4);

    std::vector<QString> edited;
    const auto record = [&](TAddKatForm& dialog) { edited.push_back(dialog.EdtKatName()->text()); };
    WithDialog(*dialog_, record,
               [&] { return window.KatEditClick(Inside(window).Action("Kategoriebearbeiten1")); });
    WithDialog(*dialog_, record,
               [&] { return window.KatEditClick(Inside(window).Action("KatEdit")); });
    EXPECT_THAT(edited, ElementsAre(QString("Zwei"), QString("Vier")));
}

TEST_F(CategoryEditingTest, DeletingMovesTheLaterCategoriesDownAfterAYes) {
    WriteCategories({"Eins", "Zwei", "Drei", "Vier"}, 3);
    TOrvel& window = Start();
    window.show();
    const std::string before = dir_.Read("prog/ovlimg.dat");

    prompter_.QueueNo();
    window.DeleteCategory(2);
    EXPECT_EQ(prompter_.shown().back().text,
              "Sind Sie sicher, daß Sie die Kategorie \"Zwei\" löschen möchten?");
    EXPECT_EQ(prompter_.shown().back().caption, "Kategorie wirklich löschen?");
    EXPECT_EQ(dir_.Read("prog/ovlimg.dat"), before);
    EXPECT_EQ(window.store().count(), 5);

    prompter_.QueueYes();
    window.DeleteCategory(2);
    ASSERT_EQ(window.store().count(), 4);
    EXPECT_EQ(window.store().CurrentCategory(), 0);
    const char* names[] = {"Alle", "Eins", "Drei", "Vier"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Inside(window).CategoryButton(i)->text(), QString::fromUtf8(names[i]));
        EXPECT_EQ(Inside(window).CategoryButton(i)->objectName(), QString("CatBtn%1").arg(i));
    }
    EXPECT_EQ(window.store().category(3).pictures, std::vector<std::string>{dir_.File("Vier.jpg")});
    EXPECT_EQ(Inside(window).IconFiles()[3], dir_.File("Vier.bmp"));
    EXPECT_EQ(window.store().category(0).pictures.size(), 3u);
    EXPECT_THAT(Saved().KeyNames("Categories"), ElementsAre("Cat_0", "Cat_1", "Cat_2", "Cat_3"));
    EXPECT_EQ(Saved().Value("Cat_2.Details", "Name"), "Drei");
    EXPECT_EQ(Saved().Value("Custom", "ActiveCat"), "0");
    QApplication::processEvents();  // the freed widgets go
    EXPECT_EQ(window.findChildren<QToolButton*>(QRegularExpression("^CatBtn")).size(), 4);
}

TEST_F(CategoryEditingTest, TheThirtyFirstCategoryIsRefusedAndTheDialogCloses) {
    std::vector<std::string> names;
    for (int i = 1; i < 30; ++i)
        names.push_back("K" + std::to_string(i));
    WriteCategories(names);
    TOrvel& window = Start();
    ASSERT_EQ(window.store().count(), 30);
    const std::string before = dir_.Read("prog/ovlimg.dat");

    prompter_.QueueOk();
    const int result = WithDialog(
        *dialog_,
        [&](TAddKatForm& dialog) {
            dialog.EdtKatName()->setText("Zu viel");
            dialog.BtnOk()->click();
            EXPECT_FALSE(dialog.isVisible());
        },
        [&] { return window.AddKatClick(); });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(prompter_.shown().back().text, "Sie können nicht mehr als 30 Kategorien anlegen.");
    EXPECT_EQ(window.store().count(), 30);
    EXPECT_EQ(dir_.Read("prog/ovlimg.dat"), before);

    // A file with more categories than that: the load stops at the limit and says so once.
    names.push_back("K30");
    names.push_back("K31");
    WriteCategories(names);
    const std::size_t shown = prompter_.shown().size();
    prompter_.QueueOk();
    EXPECT_EQ(Start().store().count(), 30);
    ASSERT_EQ(prompter_.shown().size(), shown + 1);
    EXPECT_EQ(prompter_.shown().back().text, "Sie können nicht mehr als 30 Kategorien anlegen.");
    EXPECT_EQ(prompter_.shown().back().caption, "Kategorie-Limit erreicht");
}

class PictureEditingTest : public CategoryEditingTest {
protected:
    std::unique_ptr<QMimeData> Drag(const std::vector<QUrl>& urls) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls(QList<QUrl>(urls.begin(), urls.end()));
        return data;
    }
    // Sends a drag over the list and, when it was taken, the drop; whether it was taken.
    bool DragAndDrop(TPictureList* list, const QMimeData& data) {
        const QPoint at = list->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        return drop.isAccepted();
    }
};

TEST_F(PictureEditingTest, AddingThroughTheDialogAsksForTheActiveDesktopOnceAndSaves) {
    WriteCategories({"Natur"}, 0);
    TOrvel& window = Start();
    window.show();

    // The summary takes no pictures.
    prompter_.QueueOk();
    Inside(window).Action("SBAdd")->trigger();
    EXPECT_EQ(prompter_.shown().back().text, catalogue_.Text(kMsgAddFalse));
    EXPECT_TRUE(files_.requests.empty());

    Inside(window).CategoryButton(1)->click();
    files_.answers.push_back(
        {dir_.File("a.jpg"), dir_.File("b.BMP"), dir_.File("c.png"), dir_.File("d.htm")});
    prompter_.QueueNo();   // a.jpg skipped
    prompter_.QueueYes();  // c.png: the Active Desktop goes on, d.htm needs no question
    Inside(window).Action("Bilderhinzufgen1")->trigger();
    ASSERT_EQ(files_.requests.size(), 1u);
    EXPECT_EQ(files_.requests[0].title, "Bild suchen...");
    EXPECT_TRUE(files_.requests[0].multiple);
    EXPECT_TRUE(active_desktop_.on);
    EXPECT_EQ(Inside(window).PictureList(1)->model()->rowCount(), 4);
    EXPECT_EQ(Inside(window).StatusText(0), QString("4 Bilder in dieser Kategorie"));
    EXPECT_TRUE(Saved().HasKey("Cat_1.Wallpapers", dir_.File("d.htm")));
    EXPECT_FALSE(Saved().HasKey("Cat_1.Wallpapers", dir_.File("a.jpg")));
    EXPECT_EQ(Inside(window).PictureList(0)->model()->rowCount(), 4);
}

// Names from Windows-era disks are Latin-1 bytes: the picture kept is the file's own name,
// and only the list's text reads it as Windows-1252.
TEST_F(PictureEditingTest, LatinOneNamesFromTheDialogOrADropKeepTheirBytes) {
    WriteCategories({"Natur"}, 1);
    active_desktop_.xp = true;
    const std::string cafe = dir_.File("caf\xe9.png");
    const std::string gruesse = dir_.File(
        "Gr\xfc\xdf"
        "e.jpg");
    dir_.Write("caf\xe9.png", "png");
    dir_.Write(
        "Gr\xfc\xdf"
        "e.jpg",
        "jpg");
    TOrvel& window = Start();
    window.show();

    files_.answers.push_back({cafe});
    window.SBAddClick();
    // A file manager's drag names the file as a URI whose escapes hold the bytes.
    QMimeData drag;
    drag.setData("text/uri-list", QByteArray::fromStdString(FileUri(gruesse) + "\r\n"));
    EXPECT_TRUE(DragAndDrop(Inside(window).PictureList(1), drag));

    EXPECT_THAT(window.store().category(1).pictures,
                ElementsAre(dir_.File("Natur.jpg"), cafe, gruesse));
    EXPECT_THAT(Saved().KeyNames("Cat_1.Wallpapers"),
                ElementsAre(dir_.File("Natur.jpg"), cafe, gruesse));
    const QAbstractItemModel* list = Inside(window).PictureList(1)->model();
    EXPECT_EQ(list->index(1, 0).data().toString(), QString::fromStdString(dir_.File("café.png")));
    EXPECT_EQ(list->index(2, 0).data().toString(), QString::fromStdString(dir_.File("Grüße.jpg")));
}

TEST_F(PictureEditingTest, RemovingTheSelectionAsksThenKeepsTheSummaryInStep) {
    WriteCategories({"Natur", "Städte"}, 1);
    TOrvel& window = Start();
    window.show();
    files_.answers.push_back({dir_.File("x.bmp"), dir_.File("y.bmp")});
    window.SBAddClick();
    TPictureList* list = Inside(window).PictureList(1);
    ASSERT_EQ(list->model()->rowCount(), 3);

    // "No" changes nothing.
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select);
    prompter_.QueueNo();
    window.SBDelClick();
    EXPECT_EQ(list->model()->rowCount(), 3);

    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    prompter_.QueueYes();
    window.SBDelClick();
    EXPECT_EQ(prompter_.shown().back().text, catalogue_.Text(kMsgConfirmDelete));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString().toStdString(), dir_.File("y.bmp"));
    EXPECT_EQ(list->FocusedRow(), 0);
    EXPECT_EQ(Inside(window).StatusText(0), QString("1 Bilder in dieser Kategorie"));
    // The summary lost exactly the two removed pictures.
    EXPECT_EQ(window.store().category(0).pictures.size(), 2u);
    EXPECT_THAT(Saved().KeyNames("Cat_1.Wallpapers"), ElementsAre(dir_.File("y.bmp")));

    // From the summary removing is refused; removing all empties only the summary.
    Inside(window).CategoryButton(0)->click();
    prompter_.QueueOk();
    window.SBDelClick();
    EXPECT_EQ(prompter_.shown().back().text, catalogue_.Text(kMsgDeleteFalse));
    prompter_.QueueYes();
    window.AlleBilderentfernen1Click();
    EXPECT_EQ(prompter_.shown().back().caption, catalogue_.Text("_MsgConfirmDeleteCaption"));
    EXPECT_EQ(Inside(window).PictureList(0)->model()->rowCount(), 0);
    EXPECT_EQ(window.store().category(2).pictures.size(), 1u);
}

TEST_F(PictureEditingTest, DropsAreTakenOnlyByOtherCategoriesAndOnlyAsAWhole) {
    WriteCategories({"Natur"}, 0);
    active_desktop_.xp = true;
    TOrvel& window = Start();
    window.show();
    const QUrl jpg = QUrl::fromLocalFile(QString::fromStdString(dir_.File("a.jpg")));
    const QUrl png = QUrl::fromLocalFile(QString::fromStdString(dir_.File("b.png")));
    const QUrl text = QUrl::fromLocalFile(QString::fromStdString(dir_.File("notes.txt")));

    EXPECT_FALSE(DragAndDrop(Inside(window).PictureList(0), *Drag({jpg})));  // the summary
    Inside(window).CategoryButton(1)->click();
    TPictureList* nature = Inside(window).PictureList(1);
    EXPECT_FALSE(DragAndDrop(nature, *Drag({jpg, text, png})));
    EXPECT_FALSE(DragAndDrop(nature, *Drag({QUrl("https://example.org/c.jpg")})));
    EXPECT_EQ(nature->model()->rowCount(), 1);

    EXPECT_TRUE(DragAndDrop(nature, *Drag({jpg, png})));
    EXPECT_EQ(nature->model()->rowCount(), 3);
    EXPECT_TRUE(prompter_.shown().empty());  // Windows XP asks nothing
    EXPECT_TRUE(Saved().HasKey("Cat_1.Wallpapers", dir_.File("b.png")));
    EXPECT_EQ(Inside(window).StatusText(0), QString("3 Bilder in dieser Kategorie"));
}

}  // namespace
}  // namespace orvella
