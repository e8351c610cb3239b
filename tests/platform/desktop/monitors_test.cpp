#include "platform/desktop/monitors.h"

#include <gtest/gtest.h>

#include "platform/desktop/backends/wallpaper_backend.h"

namespace orvella {
namespace {

TEST(MonitorsTest, MonitorsAreCutToTheDesktopJoinedWhereTheyOverlapAndOrdered) {
    const std::vector<MonitorArea> arranged = ArrangeMonitors(
        {
            {1280, 0, 1024, 768, false},
            {0, 0, 1280, 720, true},
            {0, 0, 0, 720, false},        // no size
            {5000, 0, 800, 600, false},   // outside the desktop
            {100, 900, 400, 200, false},  // half outside: cut
        },
        2304, 1000);
    EXPECT_EQ(arranged, (std::vector<MonitorArea>{{0, 0, 1280, 720, true},
                                                  {100, 900, 400, 100, false},
                                                  {1280, 0, 1024, 768, false}}));

    // Mirrored monitors show one picture over the part they cover together; a join that
    // reaches a third monitor takes it in too. None called primary: the first is.
    EXPECT_EQ(ArrangeMonitors({{0, 0, 100, 100, false},
                               {0, 150, 100, 50, false},
                               {50, 50, 50, 120, false},
                               {0, 0, 100, 100, false}},
                              300, 300),
              (std::vector<MonitorArea>{{0, 0, 100, 200, true}}));
    EXPECT_EQ(ArrangeMonitors({{0, 100, 50, 50, false}, {0, 0, 50, 50, true}}, 50, 200),
              (std::vector<MonitorArea>{{0, 0, 50, 50, true}, {0, 100, 50, 50, false}}));
    // Nothing usable: the whole desktop.
    EXPECT_EQ(ArrangeMonitors({{-10, -10, 5, 5, true}}, 640, 480),
              (std::vector<MonitorArea>{{0, 0, 640, 480, true}}));
}

TEST(MonitorsTest, APageTakesThePrimaryMonitorAndThePlainPicturesGoRound) {
    WallpaperChange change;
    change.picture = "page.png";
    using Shown = std::vector<std::string>;
    EXPECT_EQ(PicturesOfMonitors(change, 2, 0), (Shown{"page.png", "page.png"}));
    change.monitor_pictures = {"a", "b"};
    EXPECT_EQ(PicturesOfMonitors(change, 3, 1), (Shown{"a", "b", "a"}));
    change.page_drawing = true;
    // The page is made from "a"; the monitors beside the primary take the rest in turn.
    EXPECT_EQ(PicturesOfMonitors(change, 3, 1), (Shown{"b", "page.png", "b"}));
    change.monitor_pictures = {"a"};
    EXPECT_EQ(PicturesOfMonitors(change, 3, 2), (Shown{"a", "a", "page.png"}));
    EXPECT_EQ(PicturesOfMonitors(change, 1, 0), (Shown{"page.png"}));
}

}  // namespace
}  // namespace orvella
