#include "tools/find_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "owner_loop.h"
#include "support/temp_dir.h"
#include "tree.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// A search in the calling thread, with what it reported.
class FindFileTest : public ::testing::Test {
protected:
    FindFileTest() : engine_(owner_) {
        engine_.SetOnFound([this](TFindFile&, const std::string& folder, const TFileInfo& info) {
            found_.push_back(folder + "|" + info.name);
            infos_.push_back(info);
        });
        engine_.SetOnNewFolder([this](TFindFile&, const std::string& folder, bool& ignore) {
            folders_.push_back(folder);
            ignore = ignored_ == folder;
        });
        engine_.SetOnComplete([this](TFindFile& sender) {
            ++completions_;
            EXPECT_FALSE(sender.Busy());
        });
    }

    std::vector<std::string> Search(std::vector<std::string> patterns) {
        found_.clear();
        infos_.clear();
        folders_.clear();
        engine_.IncludeFiles() = std::move(patterns);
        engine_.Execute();
        return found_;
    }

    // The folder of the tree as the search delivers it: without its trailing "/".
    std::string Root() const { return dir_.path().substr(0, dir_.path().size() - 1); }

    testing::TempDir dir_;
    testing::OwnerLoop owner_;
    TFindFile engine_;
    std::vector<std::string> found_;
    std::vector<TFileInfo> infos_;
    std::vector<std::string> folders_;
    std::string ignored_;
    int completions_ = 0;
};

TEST_F(FindFileTest, WalksDepthFirstOwnFilesFirstPatternAfterPattern) {
    testing::MakeTree(dir_.path(),
                      {"b.jpg", "a.jpg", "A2.JPG", "c.txt", "sub1/x.jpg", "sub1/deep/y.jpg",
                       "sub2/z.jpg", "sub2/d.txt", "Sub0/w.jpg", "empty/"});
    const std::string r = Root();
    EXPECT_THAT(
        Search({dir_.path() + "*.jpg", dir_.path() + "*.txt"}),
        ElementsAre(r + "|a.jpg", r + "|A2.JPG", r + "|b.jpg", r + "/Sub0|w.jpg", r + "/sub1|x.jpg",
                    r + "/sub1/deep|y.jpg", r + "/sub2|z.jpg", r + "|c.txt", r + "/sub2|d.txt"));
    EXPECT_THAT(folders_, ElementsAre(r, r + "/empty", r + "/Sub0", r + "/sub1", r + "/sub1/deep",
                                      r + "/sub2", r, r + "/empty", r + "/Sub0", r + "/sub1",
                                      r + "/sub1/deep", r + "/sub2"));
    EXPECT_EQ(completions_, 1);
    EXPECT_FALSE(engine_.Busy());
    EXPECT_EQ(infos_.front().size, std::string("a.jpg").size());

    ignored_ = r + "/sub1";
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}),
                ElementsAre(r + "|a.jpg", r + "|A2.JPG", r + "|b.jpg", r + "/Sub0|w.jpg",
                            r + "/sub2|z.jpg"));
    ignored_.clear();

    engine_.SetSubfolders(false);
    EXPECT_THAT(Search({dir_.path() + "*.JPG"}),
                ElementsAre(r + "|a.jpg", r + "|A2.JPG", r + "|b.jpg"));
    EXPECT_EQ(completions_, 3);
}

TEST_F(FindFileTest, ExcludePatternsSuppressFilesAtTheEndOfAnyFolder) {
    testing::MakeTree(dir_.path(), {"Bilder/a.jpg", "Alt/Bilder/a.jpg", "Bilder2/a.jpg",
                                    "Bilder/b.jpg", "c.jpg", "x/c.jpg"});
    const std::string r = Root();
    engine_.ExcludeFiles() = {"/Bilder/a.jpg", dir_.path() + "c.jpg"};
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}),
                ElementsAre(r + "/Bilder|b.jpg", r + "/Bilder2|a.jpg", r + "/x|c.jpg"));
}

// Latin-1 names from old disks: found by the masks and delivered as the bytes that open them.
TEST_F(FindFileTest, NamesThatAreNotUtf8AreFoundAsTheirBytes) {
    const std::string gruesse = std::string("Gr\xfc\xdf") + "e.jpg";
    testing::MakeTree(dir_.path(), {"caf\xe9.png", "\xff.png", "alt\xe4/" + gruesse, "b.gif"});
    const std::string r = Root();
    EXPECT_THAT(
        Search({dir_.path() + "*.png", dir_.path() + "*.jpg"}),
        UnorderedElementsAre(r + "|caf\xe9.png", r + "|\xff.png", r + "/alt\xe4|" + gruesse));
    EXPECT_THAT(Search({dir_.path() + "caf?.png"}), ElementsAre(r + "|caf\xe9.png"));
    const std::vector<std::string> all = Search({dir_.path() + "*.*"});
    ASSERT_EQ(all.size(), 4u);
    for (const std::string& found : all) {
        const std::string path =
            found.substr(0, found.find('|')) + "/" + found.substr(found.find('|') + 1);
        EXPECT_EQ(::access(path.c_str(), F_OK), 0) << path;
    }
}

TEST_F(FindFileTest, AttributeRuleDotEntriesAndSpecialFiles) {
    testing::MakeTree(dir_.path(), {"plain.jpg", "ro.jpg", ".hidden.jpg", ".dot/in.jpg",
                                    "folder.jpg/", "oldfolder.jpg/", "sub/.x.jpg"});
    ASSERT_EQ(mkfifo(dir_.File("pipe.jpg").c_str(), 0644), 0);
    ASSERT_EQ(chmod(dir_.File("ro.jpg").c_str(), 0444), 0);
    const testing::ScopedMode read_only_folder(dir_.File("oldfolder.jpg"), 0555);
    const std::string r = Root();
    using enum TFileAttribute;

    // A plain folder matching the mask is no find; a read-only one is. Hidden entries,
    // the FIFO and everything below a dot folder are never reported.
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}),
                ElementsAre(r + "|oldfolder.jpg", r + "|plain.jpg", r + "|ro.jpg"));
    EXPECT_EQ(infos_[0].attributes, (TFileAttributes{ffDirectory, ffReadonly}));
    EXPECT_EQ(infos_[1].attributes, (TFileAttributes{ffArchive}));
    EXPECT_EQ(infos_[2].attributes, (TFileAttributes{ffArchive, ffReadonly}));
    EXPECT_THAT(folders_, ElementsAre(r, r + "/folder.jpg", r + "/oldfolder.jpg", r + "/sub"));

    engine_.SetAttributes(TFileAttributes{ffDirectory});
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}),
                ElementsAre(r + "|folder.jpg", r + "|oldfolder.jpg"));

    engine_.SetAttributes(TFileAttributes{ffArchive});
    engine_.SetExactAttribute(true);
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}), ElementsAre(r + "|plain.jpg"));
}

TEST_F(FindFileTest, PassesOverAFolderThatCannotBeListed) {
    testing::MakeTree(dir_.path(), {"locked/in.jpg", "open/out.jpg"});
    const testing::ScopedMode locked(dir_.File("locked"), 0);
    const std::string r = Root();
    const std::vector<std::string> found = Search({dir_.path() + "*.jpg"});

    EXPECT_THAT(folders_, ElementsAre(r, r + "/locked", r + "/open"));
    EXPECT_EQ(completions_, 1);
    if (!testing::PermissionsBindUs()) {
        GTEST_SKIP() << "running as root, which reads a folder of mode 000: only the walk "
                        "going on past it was checked";
    }
    EXPECT_THAT(found, ElementsAre(r + "/open|out.jpg"));
}

TEST_F(FindFileTest, FollowsLinksButSearchesEveryFolderOnce) {
    testing::MakeTree(dir_.path(), {"a/x.jpg", "b/y.jpg"});
    std::filesystem::create_directory_symlink(dir_.path(), dir_.File("a/loop"));
    std::filesystem::create_directory_symlink(dir_.File("b"), dir_.File("a/link_b"));
    std::filesystem::create_directory_symlink(dir_.File("a"), dir_.File("b/back"));
    std::filesystem::create_symlink(dir_.File("b/y.jpg"), dir_.File("link.jpg"));
    std::filesystem::create_symlink(dir_.File("nothing.jpg"), dir_.File("dangling.jpg"));
    // A folder reached through a link only, with a link back into the tree.
    const testing::TempDir outside;
    testing::MakeTree(outside.path(), {"o.jpg"});
    std::filesystem::create_directory_symlink(outside.path(), dir_.File("a/out"));
    std::filesystem::create_directory_symlink(dir_.path(), outside.File("back"));
    const std::string r = Root();

    EXPECT_THAT(Search({dir_.path() + "*.jpg"}),
                ElementsAre(r + "|link.jpg", r + "/a|x.jpg", r + "/a/out|o.jpg", r + "/b|y.jpg"));
    EXPECT_THAT(folders_, ElementsAre(r, r + "/a", r + "/a/out", r + "/b"));
}

TEST_F(FindFileTest, WalksTreesDeeperThanTheFoldersItHoldsOpen) {
    // 70 levels of d/, each with x.jpg and e/y.jpg: the deep levels are opened by their
    // path, each level's second subfolder after the first one's whole depth.
    std::vector<std::string> own;
    std::vector<std::string> second;
    std::string chain;
    for (int level = 0; level < 70; ++level) {
        chain += "d/";
        testing::MakeTree(dir_.path(), {chain + "x.jpg", chain + "e/y.jpg"});
        const std::string folder = Root() + "/" + chain.substr(0, chain.size() - 1);
        own.push_back(folder + "|x.jpg");
        second.insert(second.begin(), folder + "/e|y.jpg");
    }
    own.insert(own.end(), second.begin(), second.end());
    EXPECT_EQ(Search({dir_.path() + "*.jpg"}), own);
}

TEST_F(FindFileTest, StaysOnTheDriveOfItsStartFolder) {
    struct stat root {};
    struct stat proc {};
    if (stat("/", &root) != 0 || stat("/proc", &proc) != 0 || root.st_dev == proc.st_dev) {
        GTEST_SKIP() << "/proc is no mount of its own here";
    }
    // Only the start folders themselves are searched; which others were asked shows where
    // the walk would have gone.
    engine_.SetOnNewFolder([this](TFindFile&, const std::string& folder, bool& ignore) {
        folders_.push_back(folder);
        ignore = folder != "/" && folder != "/proc/";
    });
    Search({"/no-such-name.none", "/proc/no-such-name.none"});
    ASSERT_FALSE(folders_.empty());
    EXPECT_EQ(folders_.front(), "/");
    EXPECT_THAT(folders_, ::testing::Not(::testing::Contains("/proc")));
    EXPECT_THAT(folders_, ::testing::Not(::testing::Contains("/sys")));
    // A mount point keeps its separator, as a drive root does.
    EXPECT_THAT(folders_, ::testing::Contains("/proc/"));
}

TEST_F(FindFileTest, LocationAndFilenameMakeThePatternsWhenNoIncludeFilesAreGiven) {
    testing::MakeTree(dir_.path(),
                      {"sub1/x.jpg", "sub1/x", "sub1/y.jpg", "sub2/x.png", "sub2/deep/x.gif"});
    const std::string r = Root();

    Status refused = engine_.SetFilename("sub1/x.jpg");
    EXPECT_EQ(refused.message(), "sub1/x.jpg\n\rInvalid filename specified");
    refused = engine_.SetLocation(dir_.path() + "*");
    EXPECT_EQ(refused.message(), dir_.path() + "*\n\rlocation cannot to be contained wildcards");
    refused = engine_.SetLocation("/tmp/a?");
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(engine_.Filename(), "*.*");
    EXPECT_EQ(engine_.Location(), "");

    ASSERT_TRUE(engine_.SetFilename("x").ok());
    ASSERT_TRUE(engine_
                    .SetLocation(dir_.path() + "sub1;" + dir_.path() + "sub2/../sub2/;;" +
                                 dir_.path() + "sub1/")
                    .ok());
    EXPECT_THAT(Search({}), ElementsAre(r + "/sub1|x", r + "/sub1|x.jpg", r + "/sub2|x.png",
                                        r + "/sub2/deep|x.gif"));

    ASSERT_TRUE(engine_.SetFilename("").ok());
    engine_.SetSubfolders(false);
    EXPECT_THAT(Search({}), ElementsAre(r + "/sub1|x", r + "/sub1|x.jpg", r + "/sub1|y.jpg",
                                        r + "/sub2|x.png"));
}

TEST_F(FindFileTest, AbortFromAHandlerAndAnExceptionEndTheWalk) {
    testing::MakeTree(dir_.path(), {"a.jpg", "b.jpg", "c.jpg", "sub/d.jpg"});
    std::string stop_at = "b.jpg";
    bool throws = false;
    engine_.SetOnFound([&](TFindFile& sender, const std::string&, const TFileInfo& info) {
        found_.push_back(info.name);
        if (info.name != stop_at) {
            return;
        }
        if (throws) {
            throw std::runtime_error("handler failed");
        }
        sender.Abort();
        // In the calling thread the walk is still on the stack: it ends when this returns.
        EXPECT_TRUE(sender.Busy());
    });
    EXPECT_THAT(Search({dir_.path() + "*.jpg", dir_.path() + "*.jpg"}),
                ElementsAre("a.jpg", "b.jpg"));
    EXPECT_EQ(completions_, 1);
    EXPECT_TRUE(engine_.LastError().ok());

    throws = true;
    stop_at = "c.jpg";
    EXPECT_THAT(Search({dir_.path() + "*.jpg", dir_.path() + "*.jpg"}),
                ElementsAre("a.jpg", "b.jpg", "c.jpg"));
    EXPECT_EQ(completions_, 2);
    EXPECT_EQ(engine_.LastError().message(), "handler failed");

    // The next search starts clean.
    stop_at.clear();
    EXPECT_THAT(Search({dir_.path() + "*.jpg"}), ElementsAre("a.jpg", "b.jpg", "c.jpg", "d.jpg"));
    EXPECT_TRUE(engine_.LastError().ok());
}

}  // namespace
}  // namespace orvella
