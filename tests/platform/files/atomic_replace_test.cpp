#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/files/files.h"
#include "support/failing_io.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::FailingIo;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(AtomicReplaceTest, TheFolderIsSyncedAfterTheRenameAndAFailedSyncKeepsTheEarlierFile) {
    TempDir dir;
    const std::string path = dir.File("ovlimg.dat");
    {
        FailingIo counting = FailingIo::FailCallNumber(1000);
        ASSERT_TRUE(ReplaceFileAtomically(path, "first").ok());
        // No file yet to swap with: a plain rename.
        EXPECT_EQ(counting.trace(), "open write fsync close rename open fsync close ");
    }
    {
        FailingIo counting = FailingIo::FailCallNumber(1000);
        ASSERT_TRUE(ReplaceFileAtomically(path, "second").ok());
        EXPECT_EQ(counting.trace(), "open write fsync close rename (swap) open fsync close ");
    }
    {
        FailingIo failing = FailingIo::FailCallNumber(7);  // the folder's fsync
        const Status status = ReplaceFileAtomically(path, "third");
        EXPECT_EQ(failing.failed(), "fsync");
        EXPECT_EQ(status.message(), path + ": " + SystemErrorText(ENOSPC));
    }
    EXPECT_EQ(dir.Read("ovlimg.dat"), "second");
    {
        FailingIo failing = FailingIo::FailCallNumber(6);  // a new file's folder sync
        EXPECT_FALSE(ReplaceFileAtomically(dir.File("new.dat"), "x").ok());
    }
    // A folder where the file belongs is never swapped away.
    ASSERT_TRUE(EnsureDirectory(dir.File("folder.dat")).ok());
    EXPECT_FALSE(ReplaceFileAtomically(dir.File("folder.dat"), "x").ok());
    EXPECT_TRUE(DirectoryExists(dir.File("folder.dat")));
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"ovlimg.dat", "folder.dat"}));
}

TEST(AtomicReplaceTest, ALinkStaysALinkAndItsTargetIsReplaced) {
    TempDir dir;
    fs::create_directory(dir.File("synced"));
    dir.Write("synced/registry.reg", "old");
    ::chmod(dir.File("synced/registry.reg").c_str(), 0600);
    fs::create_symlink("synced/registry.reg", dir.File("relative.reg"));
    fs::create_symlink(dir.File("relative.reg"), dir.File("chained.reg"));
    fs::create_symlink("synced/later.reg", dir.File("dangling.reg"));

    ASSERT_TRUE(ReplaceFileAtomically(dir.File("chained.reg"), "new").ok());
    ASSERT_TRUE(ReplaceFileAtomically(dir.File("dangling.reg"), "made").ok());
    EXPECT_TRUE(fs::is_symlink(dir.File("relative.reg")));
    EXPECT_TRUE(fs::is_symlink(dir.File("chained.reg")));
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.reg")));
    EXPECT_EQ(dir.Read("synced/registry.reg"), "new");
    EXPECT_EQ(dir.Read("synced/later.reg"), "made");
    EXPECT_EQ(fs::status(dir.File("synced/registry.reg")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    {
        FailingIo failing = FailingIo::FailRenames();
        EXPECT_FALSE(ReplaceFileAtomically(dir.File("relative.reg"), "lost").ok());
    }
    EXPECT_EQ(dir.Read("synced/registry.reg"), "new");
    EXPECT_EQ(dir.Entries("synced"), (std::set<std::string>{"registry.reg", "later.reg"}));
}

}  // namespace
}  // namespace orvella
