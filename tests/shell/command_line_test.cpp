#include "shell/command_line.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

TEST(CommandLineTest, SwitchesMatchExactlyAfterADashOrSlash) {
    const StartupSwitches slash = StartupSwitches::Parse({"/wall", "-close"});
    EXPECT_TRUE(slash.wall && slash.close);
    EXPECT_FALSE(slash.min || slash.trans || slash.shellex || slash.delshellex);

    const StartupSwitches wrong =
        StartupSwitches::Parse({"-WALL", "-minimize", "wall", "--min", "-"});
    EXPECT_FALSE(wrong.wall || wrong.min || wrong.close || wrong.trans);

    const StartupSwitches all = StartupSwitches::Parse({"x", "-trans", "/min", "-wall", "-close"});
    EXPECT_TRUE(all.wall && all.trans && all.min && all.close);
    EXPECT_FALSE(StartupSwitches::Parse({}).wall);
}

TEST(CommandLineTest, ShellExtensionSwitchesEndEverythingElse) {
    const StartupSwitches both = StartupSwitches::Parse({"-delshellex", "-shellex", "-wall"});
    EXPECT_TRUE(both.shellex);
    EXPECT_FALSE(both.delshellex || both.wall);
    const StartupSwitches remove = StartupSwitches::Parse({"-wall", "/delshellex"});
    EXPECT_TRUE(remove.delshellex);
    EXPECT_FALSE(remove.wall);
}

}  // namespace
}  // namespace orvella
