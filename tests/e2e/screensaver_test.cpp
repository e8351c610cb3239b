#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/registry/registry_file.h"
#include "settings/screen_saver.h"
#include "support/bitmap_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "support/x11_server.h"

// Last: Xlib defines macros with common names.
#include "platform/desktop/backends/x11_image.h"

namespace orvella {
namespace {

using testing::RootPixel;

constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kNavy = 0x000080;  // 0xRRGGBB, as the root's pixels are read

// The screen saver on an Xvfb of its own, fed with an "Ovlscr.ini" as the options dialog
// writes it: one red picture, a missing one and a GIF (written for its upper-case
// extension, not shown for it), on navy.
class ScreenSaverProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_.display().empty())
            GTEST_SKIP() << "Xvfb could not be started";
        ASSERT_TRUE(EnsureDirectory(dir_.File("windows")));
        dir_.Write("red.bmp", testing::MakeBitmap24(80, 60, [](int, int) { return kRed; }));
        dir_.Write("gone.jpg", "x");
        dir_.Write("anim.GIF", "x");
        RegistryFile registry(dir_.File("hive.reg"));
        RegistryDesktopColours colours(registry, nullptr);
        HostDesktop desktop(registry, colours, {});
        const ScreenSaverSetting setting(registry, desktop, *WindowsVersion::FromName("xp"),
                                         dir_.File("windows"));
        ASSERT_TRUE(setting.WriteScreenSaverSettings(
            {dir_.File("gone.jpg"), dir_.File("red.bmp"), dir_.File("anim.GIF")}, 5,
            MakeColorRef(0, 0, 128)));
        ASSERT_TRUE(::unlink(dir_.File("gone.jpg").c_str()) == 0);
    }
    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            EXPECT_EQ(testing::WaitForProgram(pid_), 0);
        }
    }

    void Start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), ORVELLA_SCREENSAVER_PROGRAM);
        pid_ = testing::StartProgram(arguments,
                                     {"DISPLAY=" + server_.display(), "QT_QPA_PLATFORM=xcb",
                                      "ORVELLA_WINDOWS_DIR=" + dir_.File("windows"),
                                      "HOME=" + dir_.path(), "XDG_RUNTIME_DIR=" + dir_.path()},
                                     dir_.File("stderr.txt"));
    }
    // Waits until the screen shows `colour` at (x, y).
    bool Shows(int x, int y, std::uint32_t colour) const {
        for (int i = 0; i < 200; ++i) {
            if (RootPixel(server_.display(), x, y) == colour)
                return true;
            ::usleep(50000);
        }
        return false;
    }

    testing::Xvfb server_{320, 240};
    testing::TempDir dir_;
    int pid_ = 0;
};

TEST_F(ScreenSaverProgramTest, FullScreenItShowsThePicturesOnItsColourAndSaysWhatItPassedOver) {
    Start({});
    EXPECT_TRUE(Shows(160, 120, kRed));
    EXPECT_TRUE(Shows(125, 95, kRed));  // 80 x 60, centred
    EXPECT_TRUE(Shows(110, 120, kNavy));
    EXPECT_TRUE(Shows(2, 2, kNavy));
    const std::string told = dir_.Read("stderr.txt");
    EXPECT_NE(told.find(dir_.File("gone.jpg") + ": no such file"), std::string::npos) << told;
    EXPECT_NE(told.find(dir_.File("anim.GIF")), std::string::npos) << told;
}

TEST_F(ScreenSaverProgramTest, AsADisplayModeItDrawsIntoTheRootWindow) {
    Start({"-root"});
    EXPECT_TRUE(Shows(160, 120, kRed));
    EXPECT_TRUE(Shows(2, 237, kNavy));
}

TEST_F(ScreenSaverProgramTest, AsADisplayModeItDrawsIntoTheWindowItIsGiven) {
    Display* display = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(display, nullptr);
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 40, 200, 100, 0, 0, 0xFFFFFF);
    XMapWindow(display, window);
    XSync(display, False);
    Start({"-window-id", std::to_string(window)});
    // The window's middle is red, its edge navy; the root around it untouched.
    EXPECT_TRUE(Shows(200, 90, kRed));
    EXPECT_TRUE(Shows(102, 42, kNavy));
    EXPECT_NE(RootPixel(server_.display(), 50, 20), kNavy);
    XCloseDisplay(display);
}

TEST_F(ScreenSaverProgramTest, AnUnknownArgumentEndsWithTheUsage) {
    const int code =
        testing::RunProgram({ORVELLA_SCREENSAVER_PROGRAM, "-fenster"},
                            {"DISPLAY=" + server_.display(), "XDG_RUNTIME_DIR=" + dir_.path()},
                            dir_.File("stderr.txt"));
    EXPECT_EQ(code, 2);
    EXPECT_NE(dir_.Read("stderr.txt").find("usage: orvella-screensaver"), std::string::npos);
}

}  // namespace
}  // namespace orvella
