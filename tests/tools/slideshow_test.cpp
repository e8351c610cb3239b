#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/temp_dir.h"
#include "tools/slide_list.h"
#include "tools/slideshow_geometry.h"

namespace orvella {
namespace {

using Placement = SlidePlacement;

TEST(PlaceSlide, ShrinksLargePicturesToFitAndCentresTheOthersAtNaturalSize) {
    struct Case {
        PictureSize picture;
        PictureSize screen;
        Placement placement;
    };
    const Case cases[] = {
        // Exactly the screen's size: not scaled; one pixel wider: scaled.
        {{1600, 1200}, {1600, 1200}, {0, 0, 1600, 1200, false}},
        {{1601, 1200}, {1600, 1200}, {0, 0, 1599, 1199, true}},
        // f = 2.0: 1600 x 600, the margin of 0 left at the left edge, top 300.
        {{3200, 1200}, {1600, 1200}, {0, 300, 1600, 600, true}},
        // Higher than wide: the height ratio decides.
        {{1200, 2400}, {1600, 1200}, {500, 0, 600, 1200, true}},
        {{1000, 1210}, {1600, 1200}, {304, 0, 991, 1200, true}},
        // A 24-megapixel photo on a 4K screen.
        {{6000, 4000}, {3840, 2160}, {300, 0, 3240, 2160, true}},
        // Smaller pictures are centred, never enlarged, an odd margin rounded down.
        {{800, 600}, {1600, 1200}, {400, 300, 800, 600, false}},
        {{801, 1}, {1600, 1200}, {399, 599, 801, 1, false}},
        // Equal ratios.
        {{3200, 2400}, {1600, 1200}, {0, 0, 1600, 1200, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceSlide(c.picture, c.screen), c.placement)
            << c.picture.width << " x " << c.picture.height;
}

TEST(PlaceSlide, DividesByTheSinglePrecisionRatioAndKeepsNarrowMarginsAtTheEdge) {
    // 1602 / 1600 rounds up as a float (1.00125003), so 1602 / f is just below 1600: the
    // picture is 1599 wide and its margin of 1 stays at the right. Computed in double the
    // width would be 1600.
    EXPECT_EQ(PlaceSlide({1602, 900}, {1600, 1200}), (Placement{0, 151, 1599, 898, true}));
    // 1924 / 1920 rounds down as a float (1.00208330), so the width is the full 1920, where
    // double precision gives 1919.
    EXPECT_EQ(PlaceSlide({1924, 500}, {1920, 1080}), (Placement{0, 291, 1920, 498, true}));
    // 3841 / 3840 rounds up: 3839 wide at the left edge.
    EXPECT_EQ(PlaceSlide({3841, 2000}, {3840, 2160}).width, 3839);
    EXPECT_EQ(PlaceSlide({3841, 2000}, {3840, 2160}).left, 0);
    // Margins of 1 and 2 are not split; a margin of 3 is.
    EXPECT_EQ(PlaceSlide({1603, 1203}, {1600, 1200}), (Placement{0, 0, 1599, 1199, true}));
    EXPECT_EQ(PlaceSlide({3200, 2396}, {1600, 1200}), (Placement{0, 0, 1600, 1198, true}));
    EXPECT_EQ(PlaceSlide({3200, 2394}, {1600, 1200}), (Placement{0, 1, 1600, 1197, true}));
}

TEST(BuildSlideList, KeepsExistingPicturesInOrderAndPassesOverPagesGifsAndMissingFiles) {
    testing::TempDir dir;
    for (const char* name : {"b.jpg", "a.BMP", "c.gif", "d.GIF", "e.htm", "f.HTML", "g.png"})
        dir.Write(name, "x");
    const SlideList list =
        BuildSlideList({dir.File("b.jpg"), dir.File("c.gif"), dir.File("d.GIF"), dir.File("e.htm"),
                        dir.File("missing.jpg"), dir.File("f.HTML"), dir.File("a.BMP"),
                        dir.File("g.png"), dir.File("b.jpg")});
    EXPECT_EQ(list.paths, (std::vector<std::string>{dir.File("b.jpg"), dir.File("a.BMP"),
                                                    dir.File("g.png"), dir.File("b.jpg")}));
    ASSERT_EQ(list.passed_over.size(), 5U);
    EXPECT_EQ(list.passed_over[3].path, dir.File("missing.jpg"));
    EXPECT_EQ(list.passed_over[3].reason, SlideList::PassedOver::Reason::Missing);
    EXPECT_EQ(list.passed_over[4].reason, SlideList::PassedOver::Reason::NotShown);
    // A missing GIF is passed over for being a GIF.
    EXPECT_EQ(BuildSlideList({dir.File("gone.gif")}).passed_over[0].reason,
              SlideList::PassedOver::Reason::NotShown);
}

TEST(SlideCursor, WrapsRoundAtBothEnds) {
    SlideCursor three(3);
    EXPECT_EQ(three.index(), -1);
    EXPECT_EQ(three.Advance(), 0);
    EXPECT_EQ(three.Back(), 2);     // before the first comes the last
    EXPECT_EQ(three.Advance(), 0);  // after the last the first
    EXPECT_EQ(three.Advance(), 1);
    EXPECT_EQ(three.Back(), 0);

    SlideCursor one(1);
    EXPECT_EQ(one.Advance(), 0);
    EXPECT_EQ(one.Advance(), 0);
    EXPECT_EQ(one.Back(), 0);

    SlideCursor none(0);
    EXPECT_EQ(none.Advance(), 0);
    EXPECT_EQ(none.Back(), -1);
}

TEST(SlideInterval, IsNeverZeroNegativeOrBeyondTheTimersRange) {
    using std::chrono::milliseconds;
    EXPECT_EQ(SlideInterval(1), milliseconds(1000));
    EXPECT_EQ(SlideInterval(10), milliseconds(10000));
    EXPECT_EQ(SlideInterval(2147483), milliseconds(2147483000));
    // From 2147484 s on, the longest interval a timer takes.
    EXPECT_EQ(SlideInterval(2147484), milliseconds(2147483647));
    EXPECT_EQ(SlideInterval(4294968), milliseconds(2147483647));
    EXPECT_EQ(SlideInterval(9999999), milliseconds(2147483647));
    EXPECT_EQ(SlideInterval(std::numeric_limits<std::int64_t>::max()), milliseconds(2147483647));
    EXPECT_EQ(SlideInterval(0), milliseconds(1000));
    EXPECT_EQ(SlideInterval(-5), milliseconds(1000));
    EXPECT_EQ(SlideInterval(std::numeric_limits<std::int64_t>::min()), milliseconds(1000));
    EXPECT_EQ(SlideIntervalFromMs(30000), milliseconds(30000));
    EXPECT_EQ(SlideIntervalFromMs(-1), milliseconds(1000));
}

}  // namespace
}  // namespace orvella
