#include "platform/desktop/backends/shown_picture.h"

#include <gtest/gtest.h>

#include "platform/files/file_copy.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

TEST(ShownPictureTest, NamesAlternateAndOnlyTheShownOneStays) {
    TempDir dir;
    dir.Write("Orvella.jpg", "first");
    {
        ShownPicture shown(dir.File("Orvella.jpg"));
        EXPECT_EQ(shown.path(), dir.File("OrvellaShown1.jpg"));
        shown.Keep();
    }
    // The next copy replaces the program's one; the name on show keeps its picture.
    ASSERT_TRUE(CopyFileReplacing(dir.File("Orvella.jpg"), dir.File("old")));
    dir.Write("new", "second");
    ASSERT_TRUE(CopyFileReplacing(dir.File("new"), dir.File("Orvella.jpg")));
    EXPECT_EQ(dir.Read("OrvellaShown1.jpg"), "first");
    {
        ShownPicture shown(dir.File("Orvella.jpg"));
        EXPECT_EQ(shown.path(), dir.File("OrvellaShown2.jpg"));
        EXPECT_EQ(dir.Read("OrvellaShown2.jpg"), "second");
        shown.Keep();
    }
    EXPECT_EQ(dir.Entries(),
              (std::set<std::string>{"Orvella.jpg", "OrvellaShown2.jpg", "new", "old"}));

    // Another extension still takes the other turn, and the earlier one goes.
    dir.Write("Orvella.png", "third");
    ShownPicture(dir.File("Orvella.png")).Keep();
    EXPECT_EQ(dir.Read("OrvellaShown1.png"), "third");
    EXPECT_FALSE(dir.Entries().contains("OrvellaShown2.jpg"));

    // A refused change takes its name back and leaves the one on show.
    { ShownPicture refused(dir.File("Orvella.jpg")); }
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"Orvella.jpg", "Orvella.png",
                                                    "OrvellaShown1.png", "new", "old"}));
}

TEST(ShownPictureTest, APictureNoNameCanBeMadeForIsHandedAsItIs) {
    EXPECT_EQ(ShownPicture("/no/such/folder/Orvella.jpg").path(), "/no/such/folder/Orvella.jpg");
    TempDir dir;
    dir.Write("OrvellaShown2.bmp", "x");
    EXPECT_EQ(ShownPicture(dir.File("OrvellaShown2.bmp")).path(), dir.File("OrvellaShown2.bmp"));
}

}  // namespace
}  // namespace orvella
