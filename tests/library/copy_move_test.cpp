#include "library/copy_move.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "library/category_store.h"
#include "shell/message_catalogue.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;

// The summary, "Quelle" with a, b, c, d and "Ziel" with x.
class CopyMoveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store_.LoadCategories().ok());
        ASSERT_TRUE(store_.CreateCategory(1, "i.bmp", "Quelle"));
        ASSERT_TRUE(store_.CreateCategory(2, "i.bmp", "Ziel"));
        for (const char* path : {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg"})
            store_.AddPicture(1, path, true);
        store_.AddPicture(2, "/p/x.jpg", true);
    }
    const std::vector<std::string>& Pictures(int index) const {
        return store_.category(index).pictures;
    }

    testing::TempDir dir_;
    MessageCatalogue catalogue_;
    TCategoryStore store_{dir_.File("ovlimg.dat"), "i.bmp", catalogue_};
};

TEST_F(CopyMoveTest, ACopyWalksTheSelectionInListOrderAndListsEachInTheSummaryOnceMore) {
    // Selected d first, then b: they arrive in the list's order.
    ASSERT_TRUE(CopyMovePictures(store_, 1, 2, {3, 1}, CopyMoveKind::Copy));
    EXPECT_THAT(Pictures(2), ElementsAre("/p/x.jpg", "/p/b.jpg", "/p/d.jpg"));
    EXPECT_EQ(Pictures(1).size(), 4u);
    EXPECT_THAT(Pictures(0), ElementsAre("/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg", "/p/x.jpg",
                                         "/p/b.jpg", "/p/d.jpg"));
    // Copying again lists them twice in the target, as nothing checks for them.
    ASSERT_TRUE(CopyMovePictures(store_, 1, 2, {1}, CopyMoveKind::Copy));
    EXPECT_EQ(std::count(Pictures(2).begin(), Pictures(2).end(), "/p/b.jpg"), 2);
}

TEST_F(CopyMoveTest, AMoveLeavesTheSummaryAsItWasAndCanEmptyTheSource) {
    ASSERT_TRUE(CopyMovePictures(store_, 1, 2, {2, 0}, CopyMoveKind::Move));
    EXPECT_THAT(Pictures(1), ElementsAre("/p/b.jpg", "/p/d.jpg"));
    EXPECT_THAT(Pictures(2), ElementsAre("/p/x.jpg", "/p/a.jpg", "/p/c.jpg"));
    EXPECT_THAT(Pictures(0),
                ElementsAre("/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg", "/p/x.jpg"));

    // Sorted lists: the positions still name the pictures chosen.
    store_.SetSorted(true);
    ASSERT_TRUE(CopyMovePictures(store_, 1, 2, {1, 0, 7}, CopyMoveKind::Move));
    EXPECT_TRUE(Pictures(1).empty());
    EXPECT_THAT(Pictures(2),
                ElementsAre("/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg", "/p/x.jpg"));
    EXPECT_EQ(Pictures(0).size(), 5u);
}

TEST_F(CopyMoveTest, TheSummaryIsNeitherSourceNorTarget) {
    EXPECT_FALSE(CopyMovePictures(store_, 0, 2, {0}, CopyMoveKind::Copy));
    EXPECT_FALSE(CopyMovePictures(store_, 1, 0, {0}, CopyMoveKind::Move));
    EXPECT_FALSE(CopyMovePictures(store_, 1, 1, {0}, CopyMoveKind::Move));
    EXPECT_FALSE(CopyMovePictures(store_, 1, 3, {0}, CopyMoveKind::Copy));
    EXPECT_EQ(Pictures(0).size(), 5u);
    EXPECT_EQ(Pictures(1).size(), 4u);
}

}  // namespace
}  // namespace orvella
