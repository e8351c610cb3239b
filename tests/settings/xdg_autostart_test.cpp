#include "settings/xdg_autostart.h"

#include <gtest/gtest.h>

#include "platform/files/files.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

TEST(XdgAutostartTest, TheEntryStartsTheProgramWithItsSwitchesAndGoesAgain) {
    EXPECT_EQ(DesktopEntryExec("/usr/bin/orvella", {"-wall", "-min"}),
              "/usr/bin/orvella -wall -min");
    // Blanks quote the part; quotes, "$" and "\" are escaped; "%" is doubled.
    EXPECT_EQ(DesktopEntryExec("/home/a b/100% \"$x\\y", {"-min"}),
              "\"/home/a b/100%% \\\"\\$x\\\\y\" -min");

    testing::TempDir dir;
    const std::string entry = dir.File("config/autostart/orvella.desktop");
    ASSERT_TRUE(WriteAutostartEntry(entry, "/opt/Orvella/orvella", {"-min"}).ok());
    const std::string text = dir.Read("config/autostart/orvella.desktop");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=/opt/Orvella/orvella -min\n"), std::string::npos);

    ASSERT_TRUE(WriteAutostartEntry(entry, "/opt/Orvella/orvella", {"-wall", "-min"}).ok());
    EXPECT_NE(
        dir.Read("config/autostart/orvella.desktop").find("Exec=/opt/Orvella/orvella -wall -min\n"),
        std::string::npos);

    ASSERT_TRUE(RemoveAutostartEntry(entry).ok());
    EXPECT_FALSE(FileExists(entry));
    EXPECT_TRUE(RemoveAutostartEntry(entry).ok());  // nothing to remove is fine
}

}  // namespace
}  // namespace orvella
