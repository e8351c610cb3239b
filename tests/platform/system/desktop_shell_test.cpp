#include "platform/system/desktop_shell.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/desktop/backends/json_text.h"
#include "platform/files/file_copy.h"
#include "platform/files/files.h"
#include "support/fake_tool_log.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::LoggedRun;
using testing::ScopedEnv;
using testing::TempDir;

// A host shell whose xdg-open, lp and xdg-email are the recording stand-in.
class DesktopShellTest : public ::testing::Test {
protected:
    DesktopShellTest() {
        for (const char* name : {"xdg-open", "lp", "xdg-email"})
            std::filesystem::create_symlink(ORVELLA_FAKE_TOOL, dir.File(name));
    }
    HostDesktopShell Shell() const {
        return HostDesktopShell(
            {{dir.File("xdg-open")}, {dir.File("lp")}, {dir.File("xdg-email")}});
    }
    std::string Log() const { return FileExists(dir.File("log")) ? dir.Read("log") : ""; }

    TempDir dir;
    ScopedEnv log{"FAKE_TOOL_LOG", dir.File("log")};
};

TEST_F(DesktopShellTest, EveryPathReachesItsProgramAsOneArgument) {
    const std::string awkward = dir.File("-my \"best\" 'pic'; $HOME `x`.jpg");
    const std::string plain = dir.File("b.png");
    dir.Write("-my \"best\" 'pic'; $HOME `x`.jpg", "x");
    dir.Write("b.png", "y");
    HostDesktopShell shell = Shell();

    ASSERT_TRUE(shell.Open(awkward)) << Log();
    ASSERT_TRUE(shell.Print(awkward));
    ASSERT_TRUE(shell.Mail({plain, awkward}));
    // An address is handed on as it is, with no file to look for.
    ASSERT_TRUE(shell.Open("https://commons.wikimedia.org/wiki/Main_Page"));
    EXPECT_EQ(Log(), LoggedRun({awkward}) + LoggedRun({"--", awkward}) +
                         LoggedRun({"--attach", plain, "--attach", awkward}) +
                         LoggedRun({"https://commons.wikimedia.org/wiki/Main_Page"}));
}

TEST_F(DesktopShellTest, FailuresCarryThePlatformsText) {
    HostDesktopShell shell = Shell();
    const std::string gone = dir.File("gone.jpg");
    const std::string not_found = SystemErrorText(ENOENT);
    EXPECT_EQ(shell.Open(gone).message(), not_found);
    EXPECT_EQ(shell.Print(gone).message(), not_found);
    EXPECT_EQ(shell.Mail({gone}).message(), gone + ": " + not_found);
    EXPECT_EQ(Log(), "");  // nothing was started for a missing file

    {
        ScopedEnv fail("FAKE_TOOL_FAIL", "lp: Error - No default destination.");
        dir.Write("a.jpg", "x");
        EXPECT_EQ(shell.Print(dir.File("a.jpg")).message(),
                  dir.File("lp") + ": lp: Error - No default destination.");
    }
    HostDesktopShell missing({{dir.File("no-xdg-open")}, {"lp"}, {"xdg-email"}});
    EXPECT_FALSE(missing.Open(dir.File("a.jpg")));

    EXPECT_TRUE(IsWebAddress("mailto:someone@example.org"));
    EXPECT_FALSE(IsWebAddress("/home/u/help/readme.htm"));
    EXPECT_FALSE(IsWebAddress("C:\\Bilder\\a.jpg"));
}

TEST(FileCopyTest, SaveAsRefusesTheSameFileUnderAnotherNameAndOverwritesOthers) {
    TempDir dir;
    dir.Write("pic.jpg", "the picture");
    dir.Write("old.jpg", "an older file");
    ::mkdir(dir.File("sub").c_str(), 0755);
    std::filesystem::create_symlink(dir.File("pic.jpg"), dir.File("link.jpg"));
    std::filesystem::create_hard_link(dir.File("pic.jpg"), dir.File("hard.jpg"));

    for (const std::string& same : {dir.File("link.jpg"), dir.File("hard.jpg"),
                                    dir.File("sub/../pic.jpg"), dir.File("pic.jpg")}) {
        EXPECT_FALSE(CopyFileToOther(dir.File("pic.jpg"), same)) << same;
        EXPECT_EQ(dir.Read("pic.jpg"), "the picture") << same;
    }
    ASSERT_TRUE(CopyFileToOther(dir.File("pic.jpg"), dir.File("old.jpg")));
    EXPECT_EQ(dir.Read("old.jpg"), "the picture");
    // A failed copy leaves the file it would have replaced as it was.
    dir.Write("old.jpg", "an older file");
    EXPECT_FALSE(CopyFileToOther(dir.File("gone.jpg"), dir.File("old.jpg")));
    EXPECT_FALSE(CopyFileToOther(dir.File("pic.jpg"), dir.File("missing/old.jpg")));
    EXPECT_EQ(dir.Read("old.jpg"), "an older file");
}

}  // namespace
}  // namespace orvella
