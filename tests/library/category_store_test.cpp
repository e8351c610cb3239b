#include "library/category_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "library/category_additions.h"
#include "library/picture_key_codec.h"
#include "platform/files/files.h"
#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "shell/message_catalogue.h"
#include "support/failing_io.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

class CategoryStoreTest : public ::testing::Test {
protected:
    std::string Path() const { return dir_.File("ovlimg.dat"); }
    TCategoryStore MakeStore() {
        return TCategoryStore(Path(), "/prog/Icons/StdImage.bmp", catalogue_);
    }
    // A store with the summary and `names`, each holding the given pictures.
    void WriteStore(const std::vector<std::pair<std::string, std::vector<std::string>>>& cats,
                    int active = 0) {
        TCategoryStore store = MakeStore();
        ASSERT_TRUE(store.LoadCategories().ok());
        for (const auto& [name, pictures] : cats) {
            ASSERT_TRUE(store.CreateCategory(store.count(), "icon.bmp", name));
            for (const std::string& p : pictures)
                store.AddPicture(store.count() - 1, p, true);
        }
        store.SetCurrentCategory(active);
        ASSERT_TRUE(store.SaveCategories().ok());
    }

    TempDir dir_;
    MessageCatalogue catalogue_;
};

TEST_F(CategoryStoreTest, AFreshStoreGetsTheSummaryAndIsSavedKeyForKey) {
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_EQ(store.count(), 1);
    EXPECT_EQ(store.category(0).name, "Alle");
    EXPECT_EQ(store.category(0).icon, "/prog/Icons/StdImage.bmp");

    ASSERT_TRUE(store.CreateCategory(1, "a.bmp", "Natur"));
    ASSERT_TRUE(store.CreateCategory(2, "b.bmp", "Leer"));
    store.AddPicture(1, "/p/b.jpg", true);
    store.AddPicture(1, "/p/a.jpg", true);
    store.SetCurrentCategory(1);
    ASSERT_TRUE(store.SaveCategories().ok());
    EXPECT_EQ(dir_.Read("ovlimg.dat"),
              "[Categories]\r\nCat_0=\r\nCat_1=\r\nCat_2=\r\n"
              "[Cat_0.Details]\r\nName=Alle\r\nIcon=/prog/Icons/StdImage.bmp\r\n"
              "[Cat_0.Wallpapers]\r\n/p/b.jpg=\r\n/p/a.jpg=\r\n"
              "[Cat_1.Details]\r\nName=Natur\r\nIcon=a.bmp\r\n"
              "[Cat_1.Wallpapers]\r\n/p/b.jpg=\r\n/p/a.jpg=\r\n"
              "[Cat_2.Details]\r\nName=Leer\r\nIcon=b.bmp\r\n"
              "[Custom]\r\nActiveCat=1\r\n");
}

TEST_F(CategoryStoreTest, APathTwiceIsOneKeyAndTheSectionOfTheFirstPictureComesFirst) {
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, " a.bmp", "\"Quoted\""));
    for (const char* path : {" lead.jpg", "/p/B.jpg", "/p/b.JPG", "/p/x=y.jpg", "/p/c.jpg"})
        store.AddPicture(1, path, false);
    store.AddPicture(0, "/p/c.jpg", false);
    store.AddPicture(0, "/p/C.JPG", false);
    ASSERT_TRUE(store.SaveCategories().ok());
    EXPECT_EQ(dir_.Read("ovlimg.dat"),
              "[Categories]\r\nCat_0=\r\nCat_1=\r\n"
              "[Cat_0.Details]\r\nName=Alle\r\nIcon=/prog/Icons/StdImage.bmp\r\n"
              "[Cat_0.Wallpapers]\r\n/p/c.jpg=\r\n"
              "[Cat_1.Details]\r\nName=\"\"Quoted\"\"\r\nIcon=\" a.bmp\"\r\n"
              "[Cat_1.EncodedWallpapers]\r\n0=\" lead.jpg\"\r\n3=/p/x=y.jpg\r\n"
              "[Cat_1.Wallpapers]\r\n/p/B.jpg=\r\n/p/c.jpg=\r\n"
              "[Custom]\r\nActiveCat=0\r\n");
}

TEST_F(CategoryStoreTest, LoadingFillsTheSummaryAndNumbersByPosition) {
    dir_.Write("ovlimg.dat",
               "[Categories]\nCat_5=\nCat_9=\nCat_2=\n"
               "[Cat_5.Details]\nName=Alle\n"
               "[Cat_5.Wallpapers]\n/only/in/summary.jpg=\n"
               "[Cat_9.Details]\nIcon=x.bmp\n[Cat_9.Wallpapers]\n/a.jpg=\n/b.jpg=\n"
               "[Cat_2.Details]\nName=Drei\n[Cat_2.Wallpapers]\n/c.jpg=\n/a.jpg=\n"
               "[Custom]\nActiveCat=2\n[Other]\nlost=1\n");
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_EQ(store.count(), 3);
    EXPECT_EQ(store.category(1).name, "No Name");
    EXPECT_EQ(store.category(2).icon, "NoImage.bmp");
    EXPECT_EQ(store.category(0).pictures,
              (std::vector<std::string>{"/a.jpg", "/b.jpg", "/c.jpg", "/a.jpg"}));
    EXPECT_EQ(store.CurrentCategory(), 2);

    ASSERT_TRUE(store.SaveCategories().ok());
    ProfileFile file(Path());
    EXPECT_EQ(file.ReadKeys("Categories"), (std::vector<std::string>{"Cat_0", "Cat_1", "Cat_2"}));
    EXPECT_FALSE(file.HasSection("Other"));
    // The summary's duplicate is one key in the file.
    EXPECT_EQ(file.ReadKeys("Cat_0.Wallpapers"),
              (std::vector<std::string>{"/a.jpg", "/b.jpg", "/c.jpg"}));

    EXPECT_TRUE(store.ActiveCategoryRestored());

    dir_.Write("ovlimg.dat", "[Categories]\nCat_0=\n[Custom]\nActiveCat=7\n");
    TCategoryStore missing = MakeStore();
    ASSERT_TRUE(missing.LoadCategories().ok());
    EXPECT_EQ(missing.CurrentCategory(), 0);
    EXPECT_FALSE(missing.ActiveCategoryRestored());  // no list until the user picks one

    dir_.Write("ovlimg.dat", "");
    TCategoryStore fresh = MakeStore();
    ASSERT_TRUE(fresh.LoadCategories().ok());
    EXPECT_TRUE(fresh.ActiveCategoryRestored());  // the first category it was given
}

TEST_F(CategoryStoreTest, DeletingACategoryLeavesAGapThatTheNextSaveCloses) {
    WriteStore({{"Eins", {"/1.jpg"}}, {"Zwei", {"/2.jpg"}}, {"Drei", {"/3.jpg"}}}, 3);
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.SaveCategories(2).ok());
    ProfileFile file(Path());
    EXPECT_EQ(file.ReadKeys("Categories"), (std::vector<std::string>{"Cat_0", "Cat_1", "Cat_3"}));
    EXPECT_EQ(file.ReadString("Custom", "ActiveCat", ""), "0");

    store.FreeCategories();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.SaveCategories().ok());
    EXPECT_EQ(file.ReadKeys("Categories"), (std::vector<std::string>{"Cat_0", "Cat_1", "Cat_2"}));
    EXPECT_EQ(file.ReadString("Cat_2.Details", "Name", ""), "Drei");
    EXPECT_EQ(store.category(0).pictures, (std::vector<std::string>{"/1.jpg", "/3.jpg"}));
}

TEST_F(CategoryStoreTest, TheLimitStopsLoadingAtTheThirtyFirstKeyAndIsToldOnce) {
    std::string text = "[Categories]\n";
    for (int i = 0; i < 33; ++i)
        text += "Cat_" + std::to_string(i) + "=\n";
    text += "[Custom]\nActiveCat=4\n";
    dir_.Write("ovlimg.dat", text);
    struct LimitCount : CategoryObserver {
        int reached = 0;
        void CategoryLimitReached() override { ++reached; }
    } observer;
    TCategoryStore store = MakeStore();
    store.SetObserver(&observer);
    ASSERT_TRUE(store.LoadCategories().ok());
    EXPECT_EQ(store.count(), 30);
    EXPECT_EQ(observer.reached, 1);
    EXPECT_EQ(store.CurrentCategory(), 0);  // "ActiveCat" is not applied
    EXPECT_FALSE(store.ActiveCategoryRestored());
}

TEST_F(CategoryStoreTest, AwkwardPathsComeBackUnchangedAndOldReadersSkipThem) {
    const std::vector<std::string> pictures = {
        "/p/plain.jpg",    "/p/a=b.jpg",   " /p/leading.jpg", "/p/trailing.jpg ",
        "[/p/bracket.jpg", ";/p/semi.jpg", "/p/100%.jpg\nx",  "/p/last.jpg"};
    WriteStore({{"Bunt", pictures}});
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    EXPECT_EQ(store.category(1).pictures, pictures);
    EXPECT_EQ(store.category(0).pictures, pictures);
    // An old reader lists only the paths it can read rightly.
    EXPECT_EQ(ProfileFile(Path()).ReadKeys("Cat_1.Wallpapers"),
              (std::vector<std::string>{"/p/plain.jpg", "/p/last.jpg"}));
}

TEST_F(CategoryStoreTest, LargeSectionsLoadCompletely) {
    std::vector<std::string> pictures;
    for (int i = 0; i < 5000; ++i)
        pictures.push_back("/home/u/Bilder/Urlaub/IMG_" + std::to_string(i) + ".jpg");
    WriteStore({{"Urlaub", pictures}});
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    EXPECT_EQ(store.category(1).pictures, pictures);
}

TEST_F(CategoryStoreTest, AFailedSaveReportsTheFileAndKeepsItWhole) {
    WriteStore({{"Eins", {"/1.jpg"}}});
    const std::string before = dir_.Read("ovlimg.dat");
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    store.AddPicture(1, "/2.jpg", true);
    auto failing = testing::FailingIo::FailWriteNumber(1);
    const Status status = store.SaveCategories();
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.message().starts_with("nach " + Path() + " kann nicht geschrieben werden"))
        << status.message();
    EXPECT_EQ(dir_.Read("ovlimg.dat"), before);
}

TEST_F(CategoryStoreTest, ASaveFailingAtAnyOfItsCallsLosesNothing) {
    std::vector<std::string> holiday, family;
    for (int i = 0; i < 2500; ++i) {
        holiday.push_back("/home/user/Bilder/Urlaub/" + std::to_string(i) + ".jpg");
        family.push_back("/home/user/Bilder/Familie/" + std::to_string(i) + ".png");
    }
    WriteStore({{"Urlaub", holiday}, {"Familie", family}});
    const std::string before = dir_.Read("ovlimg.dat");
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    store.AddPicture(2, "/neu.jpg", true);
    store.RenameCategory(1, "Ferien");
    std::vector<Category> in_memory;
    for (int i = 0; i < store.count(); ++i)
        in_memory.push_back(store.category(i));
    const auto same_as_in_memory = [&](const TCategoryStore& other) {
        ASSERT_EQ(other.count(), static_cast<int>(in_memory.size()));
        for (int i = 0; i < other.count(); ++i) {
            EXPECT_EQ(other.category(i).name, in_memory[i].name);
            EXPECT_EQ(other.category(i).pictures, in_memory[i].pictures);
        }
    };

    const std::string shown = "nach " + Path() + " kann nicht geschrieben werden (" + Path() +
                              ": " + SystemErrorText(ENOSPC) + ")";
    const testing::FailurePositions positions = testing::FailEachCallInTurn(
        [&] { return store.SaveCategories(); },
        [&](const Status& status, const std::string& call) {
            SCOPED_TRACE(call);
            EXPECT_EQ(status.message(), shown);
            EXPECT_EQ(dir_.Read("ovlimg.dat"), before);
            EXPECT_EQ(dir_.Entries(), (std::set<std::string>{"ovlimg.dat", "ovlimg.dat.lock"}));
        });
    // About 300 KB in 4 KB writes, and the seven calls around them.
    EXPECT_GT(positions.tried, 70);
    EXPECT_EQ(positions.calls,
              (std::set<std::string>{"open", "write", "fsync", "close", "rename (swap)"}));
    same_as_in_memory(store);
    ASSERT_TRUE(positions.completed.ok()) << positions.completed.message();
    TCategoryStore reloaded = MakeStore();
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    same_as_in_memory(reloaded);
}

TEST_F(CategoryStoreTest, NoNameWritesLinesOfItsOwnIntoTheStore) {
    WriteStore({{"Eins", {"/1.jpg"}}});
    const std::string evil = "/tmp/evil\n[Cat_0.Details]\nName=Hacked";
    // An outside program adds such names through the store's codec.
    ProfileFile outside(Path());
    ASSERT_TRUE(outside
                    .Update([&](ProfileDocument& document) {
                        AppendPictures(document, "Cat_1", {evil, "=x", "/1.JPG", " ;b "});
                    })
                    .ok());
    const std::string before = dir_.Read("ovlimg.dat");
    EXPECT_FALSE(outside.WriteString("Custom", "x\n[Cat_0.Details]", "1").ok());
    EXPECT_FALSE(outside.WriteString("Custom", "Name", "x\r\nName=Hacked").ok());
    EXPECT_EQ(dir_.Read("ovlimg.dat"), before);

    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.category(0).name, "Alle");
    const std::vector<std::string> pictures = {"/1.jpg", evil, "=x", " ;b "};
    EXPECT_EQ(store.category(1).pictures, pictures);

    // A category name is one line; an icon path with a line break fails the save.
    store.RenameCategory(1, "Zwei\nZeilen");
    ASSERT_TRUE(store.SaveCategories().ok());
    store.SetCategoryIcon(1, "/icons/a\n[Cat_0.Details]");
    const std::string saved = dir_.Read("ovlimg.dat");
    EXPECT_FALSE(store.SaveCategories().ok());
    EXPECT_EQ(dir_.Read("ovlimg.dat"), saved);
    TCategoryStore reloaded = MakeStore();
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    ASSERT_EQ(reloaded.count(), 2);
    EXPECT_EQ(reloaded.category(1).name, "Zwei Zeilen");
    EXPECT_EQ(reloaded.category(1).pictures, pictures);
}

TEST_F(CategoryStoreTest, RefreshReadsWhatAnOutsideProgramAddedEvenAcrossASave) {
    WriteStore({{"Eins", {"/1.jpg"}}, {"Zwei", {}}});
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());

    // The outside program adds a picture and asks for a refresh; our save comes first.
    ProfileFile outside(Path());
    ASSERT_TRUE(outside.WriteString("Cat_2.Wallpapers", "/new.jpg", "").ok());
    ASSERT_TRUE(outside.WriteInteger("Custom", "RefreshCategorie", 2).ok());
    store.AddPicture(1, "/mine.jpg", true);
    ASSERT_TRUE(store.SaveCategories().ok());
    EXPECT_TRUE(outside.HasKey("Cat_2.Wallpapers", "/new.jpg"));
    EXPECT_TRUE(outside.HasKey("Custom", "RefreshCategorie"));

    ASSERT_TRUE(store.RefreshCategory().ok());
    EXPECT_EQ(store.category(2).pictures, (std::vector<std::string>{"/new.jpg"}));
    EXPECT_EQ(store.category(0).pictures,
              (std::vector<std::string>{"/1.jpg", "/mine.jpg", "/new.jpg"}));
    EXPECT_FALSE(outside.HasKey("Custom", "RefreshCategorie"));

    // Values naming no category, or the summary, change nothing.
    for (int r : {0, 3, -1}) {
        ASSERT_TRUE(outside.WriteInteger("Custom", "RefreshCategorie", r).ok());
        const std::string file_before = dir_.Read("ovlimg.dat");
        ASSERT_TRUE(store.RefreshCategory().ok());
        EXPECT_EQ(dir_.Read("ovlimg.dat"), file_before) << r;
        EXPECT_EQ(store.category(2).pictures, (std::vector<std::string>{"/new.jpg"})) << r;
    }
}

TEST_F(CategoryStoreTest, ClearingRemovesTheSummaryEntriesFromTheSecondOnWrappingRound) {
    WriteStore({{"Eins", {"/x.jpg", "/y.jpg"}}, {"Zwei", {"/X.JPG"}}});
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_EQ(store.category(0).pictures, (std::vector<std::string>{"/x.jpg", "/y.jpg", "/X.JPG"}));
    // "/X.JPG" of category 2 matches from the second entry on: the third one goes first.
    EXPECT_TRUE(store.RemoveFromFirst("/x.jpg"));
    EXPECT_EQ(store.category(0).pictures, (std::vector<std::string>{"/x.jpg", "/y.jpg"}));
    EXPECT_TRUE(store.RemoveFromFirst("/X.jpg"));  // wraps round to the first entry
    EXPECT_EQ(store.category(0).pictures, (std::vector<std::string>{"/y.jpg"}));
    EXPECT_FALSE(store.RemoveFromFirst("/none.jpg"));

    ASSERT_TRUE(store.ClearCategory(1, true).ok());
    EXPECT_TRUE(store.category(1).pictures.empty());
    EXPECT_TRUE(store.category(0).pictures.empty());
    EXPECT_FALSE(ProfileFile(Path()).HasSection("Cat_1.Wallpapers"));
    EXPECT_EQ(store.category(2).pictures, (std::vector<std::string>{"/X.JPG"}));
}

TEST_F(CategoryStoreTest, AWindowsFileWithUmlautsRoundTrips) {
    dir_.Write("ovlimg.dat",
               "[Categories]\r\nCat_0=\r\nCat_1=\r\n[Cat_0.Details]\r\nName=Alle\r\n"
               "[Cat_1.Details]\r\nName=Gr\xFC\xDF"
               "e\r\n[Cat_1.Wallpapers]\r\n"
               "C:\\Bilder\\\xC4pfel.jpg=\r\n");
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    EXPECT_EQ(store.category(1).name, "Grüße");
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{"C:\\Bilder\\Äpfel.jpg"}));
    ASSERT_TRUE(store.SaveCategories().ok());
    TCategoryStore again = MakeStore();
    ASSERT_TRUE(again.LoadCategories().ok());
    EXPECT_EQ(again.category(1).name, "Grüße");
    EXPECT_EQ(again.category(1).pictures, store.category(1).pictures);
}

// A Latin-1 name that exists on disk is the file's name as bytes: it is kept so through a
// load, a save, an outside program's addition and the hive, while a Windows name that does
// not exist as bytes still reads as Windows-1252.
TEST_F(CategoryStoreTest, ALatin1NameOnDiskKeepsItsBytesFromEverySource) {
    const std::string cafe = dir_.File("caf\xE9.png");
    const std::string added = dir_.File("\xFF.png");
    dir_.Write("caf\xE9.png", "");
    dir_.Write("\xFF.png", "");
    dir_.Write("ovlimg.dat",
               "[Categories]\r\nCat_0=\r\nCat_1=\r\n[Cat_1.Details]\r\nName=B\xE4ume\r\n"
               "[Cat_1.Wallpapers]\r\n" +
                   cafe + "=\r\nC:\\\xC4pfel.jpg=\r\n");
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    EXPECT_EQ(store.category(1).name, "Bäume");
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{cafe, "C:\\Äpfel.jpg"}));

    ASSERT_TRUE(store.SaveCategories().ok());
    EXPECT_NE(dir_.Read("ovlimg.dat").find(cafe + "="), std::string::npos);
    ASSERT_TRUE(AddPicturesToStoreFile(Path(), 1, {added}).ok());
    ASSERT_TRUE(store.RefreshCategory().ok());
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{cafe, "C:\\Äpfel.jpg", added}));
    ASSERT_TRUE(store.SaveCategories().ok());
    TCategoryStore again = MakeStore();
    ASSERT_TRUE(again.LoadCategories().ok());
    EXPECT_EQ(again.category(1).pictures, store.category(1).pictures);
    EXPECT_TRUE(FileExists(again.category(1).pictures[0]));

    RegistryFile hive(dir_.File("hive.reg"));
    ASSERT_TRUE(
        hive.WriteValues(RegistryRoot::CurrentUser, "S", {RegistryValue::String("P", cafe)}).ok());
    const Result<std::optional<RegistryValue>> read =
        hive.ReadValue(RegistryRoot::CurrentUser, "S", "P");
    ASSERT_TRUE(read.ok() && read->has_value());
    EXPECT_EQ((*read)->text, cafe);
}

TEST_F(CategoryStoreTest, SortedListsKeepAscendingOrder) {
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "i.bmp", "Eins"));
    store.AddPicture(1, "/c.jpg", true);
    store.AddPicture(1, "/A.jpg", true);
    store.SetSorted(true);
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{"/A.jpg", "/c.jpg"}));
    store.AddPicture(1, "/b.jpg", true);
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{"/A.jpg", "/b.jpg", "/c.jpg"}));
    EXPECT_EQ(store.category(0).pictures, store.category(1).pictures);
    store.SetSorted(false);
    store.AddPicture(1, "/a0.jpg", false);
    EXPECT_EQ(store.category(1).pictures.back(), "/a0.jpg");
}

TEST_F(CategoryStoreTest, RemovingPicturesTakesOneMatchingSummaryEntryEach) {
    // "/p/a.jpg" is in two categories, so the summary lists it twice.
    WriteStore({{"Eins", {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"}}, {"Zwei", {"/P/A.JPG"}}});
    TCategoryStore store = MakeStore();
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_EQ(store.category(0).pictures.size(), 4u);

    store.RemovePictures(1, {2, 0, 0, 9, -1});  // repeats and strays are passed over
    EXPECT_EQ(store.category(1).pictures, (std::vector<std::string>{"/p/b.jpg"}));
    // One of the two "a" entries went (the lookup ignores case), and "c".
    EXPECT_EQ(store.category(0).pictures.size(), 2u);
    EXPECT_EQ(std::count(store.category(0).pictures.begin(), store.category(0).pictures.end(),
                         std::string("/p/b.jpg")),
              1);
    EXPECT_EQ(store.category(2).pictures, (std::vector<std::string>{"/P/A.JPG"}));

    // Removing from the summary itself touches no other category.
    store.RemovePictures(0, {0});
    EXPECT_EQ(store.category(0).pictures.size(), 1u);
    EXPECT_EQ(store.category(1).pictures.size(), 1u);

    store.RenameCategory(2, "Drei");
    store.SetCategoryIcon(2, "/icons/drei.ico");
    ASSERT_TRUE(store.SaveCategories().ok());
    TCategoryStore reloaded = MakeStore();
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    EXPECT_EQ(reloaded.category(2).name, "Drei");
    EXPECT_EQ(reloaded.category(2).icon, "/icons/drei.ico");
    EXPECT_EQ(reloaded.category(1).pictures, (std::vector<std::string>{"/p/b.jpg"}));
}

}  // namespace
}  // namespace orvella
