#include "platform/profile/profile_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "support/failing_io.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::FailingIo;
using testing::TempDir;

TEST(ProfileFileTest, AMissingFileReadsAsEmptyAndTheFirstWriteCreatesIt) {
    TempDir dir;
    ProfileFile file(dir.File("ovl.dat"));
    EXPECT_EQ(file.ReadString("Wallpaper", "OldScrSaver", "dflt"), "dflt");
    EXPECT_EQ(file.ReadInteger("Custom", "ActiveCat", 7), 7);
    EXPECT_TRUE(file.ReadSections().empty());

    ASSERT_TRUE(file.WriteInteger("Custom", "ActiveCat", 3).ok());
    ASSERT_TRUE(file.WriteString("Custom", "Text", "a b").ok());
    EXPECT_EQ(dir.Read("ovl.dat"), "[Custom]\r\nActiveCat=3\r\nText=a b\r\n");
    EXPECT_EQ(file.ReadInteger("custom", "activecat", 0), 3);
    EXPECT_EQ(file.ReadInteger("Custom", "Text", 9), 9);  // not a number: the default
    ASSERT_TRUE(file.DeleteKey("Custom", "ActiveCat").ok());
    EXPECT_FALSE(file.HasKey("Custom", "ActiveCat"));
    ASSERT_TRUE(file.EraseSection("CUSTOM").ok());
    EXPECT_EQ(dir.Read("ovl.dat"), "");
}

TEST(ProfileFileTest, ReadsWhatAnotherProgramWroteSinceTheLastRead) {
    TempDir dir;
    ProfileFile file(dir.File("ovlimg.dat"));
    dir.Write("ovlimg.dat", "[Custom]\nRefreshCategorie=2\n");
    EXPECT_EQ(file.ReadInteger("Custom", "RefreshCategorie", 1), 2);
    dir.Write("ovlimg.dat", "[Custom]\nRefreshCategorie=5\n");
    EXPECT_EQ(file.ReadInteger("Custom", "RefreshCategorie", 1), 5);
}

TEST(ProfileFileTest, AFileFromWindowsLoadsWithItsUmlautsAndIsWrittenBackAsUtf8) {
    TempDir dir;
    dir.Write("ovlimg.dat",
              "[Cat_1.Details]\r\nName=Gr\xFC\xDF"
              "e\r\n");
    ProfileFile file(dir.File("ovlimg.dat"));
    EXPECT_EQ(file.ReadString("Cat_1.Details", "Name", ""), "Grüße");
    ASSERT_TRUE(file.WriteString("Cat_1.Details", "Icon", "Ä.bmp").ok());
    EXPECT_EQ(dir.Read("ovlimg.dat"), "[Cat_1.Details]\r\nName=Grüße\r\nIcon=Ä.bmp\r\n");
}

TEST(ProfileFileTest, NoLengthLimitCutsKeysOrValues) {
    TempDir dir;
    ProfileFile file(dir.File("ovlimg.dat"));
    ProfileDocument document;
    std::vector<std::string> paths;
    for (int i = 0; i < 3000; ++i) {  // about 150 KB of key names, far past 16 KB
        paths.push_back("/home/user/Pictures/holiday " + std::to_string(i) + "/photo.jpg");
        document.SetValue("Cat_1.Wallpapers", paths.back(), "");
    }
    const std::string long_value(10000, 'v');
    document.SetValue("Cat_1.Details", "Name", long_value);
    ASSERT_TRUE(file.Replace(document).ok());
    EXPECT_EQ(file.ReadKeys("Cat_1.Wallpapers"), paths);
    EXPECT_EQ(file.ReadString("Cat_1.Details", "Name", ""), long_value);
}

TEST(ProfileFileTest, AFailedWriteLeavesTheEarlierFileByteForByte) {
    TempDir dir;
    ProfileFile file(dir.File("ovlimg.dat"));
    ProfileDocument earlier;
    for (int i = 0; i < 2000; ++i)
        earlier.SetValue("Cat_1.Wallpapers", "/p/" + std::to_string(i), "");
    ASSERT_TRUE(file.Replace(earlier).ok());
    const std::string before = dir.Read("ovlimg.dat");

    ProfileDocument next = earlier;
    for (int i = 0; i < 2000; ++i)
        next.SetValue("Cat_2.Wallpapers", "/q/" + std::to_string(i), "");
    {
        // The batch save fails in the middle of its data, on its third write call.
        FailingIo failing = FailingIo::FailWriteNumber(3);
        const Status status = file.Replace(next);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(dir.File("ovlimg.dat")), std::string::npos);
        EXPECT_EQ(failing.writes(), 3);
    }
    EXPECT_EQ(dir.Read("ovlimg.dat"), before);
    {
        FailingIo failing = FailingIo::FailRenames();
        EXPECT_FALSE(file.WriteString("Custom", "ActiveCat", "1").ok());
    }
    EXPECT_EQ(dir.Read("ovlimg.dat"), before);
    // No temporary file is left behind.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"ovlimg.dat", "ovlimg.dat.lock"}));
}

TEST(ProfileFileTest, ACarryingWriteReadsTheFileOnlyWhenItNamesTheKeyAndStreamsItsLines) {
    TempDir dir;
    ProfileFile file(dir.File("ovlimg.dat"));
    ASSERT_TRUE(file.WriteString("Cat_1.Wallpapers", "/p/Refresh.jpg", "").ok());
    const auto carried = [&] {
        std::optional<std::string> seen;
        std::size_t sections = 0;
        EXPECT_TRUE(
            file.ReplaceCarryingOver("RefreshCategorie",
                                     [&](const ProfileDocument& on_disk, ProfileWriter& out) {
                                         seen = on_disk.Value("Custom", "RefreshCategorie");
                                         sections = on_disk.SectionNames().size();
                                         out.Section("Custom");
                                         out.Entry("RefreshCategorie", seen.value_or("-"));
                                         return Status::Ok();
                                     })
                .ok());
        return std::make_pair(sections, seen.value_or(""));
    };
    EXPECT_EQ(carried(), std::make_pair(std::size_t{0}, std::string()));
    EXPECT_EQ(dir.Read("ovlimg.dat"), "[Custom]\r\nRefreshCategorie=-\r\n");

    // The name found in any case, also across the pieces the file is read in.
    for (std::size_t padding : {std::size_t{0}, std::size_t{65536 - 24}, std::size_t{65536 - 30}}) {
        dir.Write("ovlimg.dat",
                  "[Custom]\n;" + std::string(padding, 'x') + "\nREFRESHcategorie=7\n");
        EXPECT_EQ(carried(), std::make_pair(std::size_t{1}, std::string("7"))) << padding;
    }

    // Many pieces make one file; a refused line or a failed write leaves the file alone.
    const std::string before = dir.Read("ovlimg.dat");
    const auto write_many = [&](std::string_view last_value) {
        return file.ReplaceCarryingOver("x", [&](const ProfileDocument&, ProfileWriter& out) {
            out.Section("Cat_1.Wallpapers");
            for (int i = 0; i < 20000; ++i)
                out.Entry("/p/" + std::to_string(i) + ".jpg", "");
            out.Entry("last", last_value);
            return Status::Ok();
        });
    };
    EXPECT_FALSE(write_many("line\nbreak").ok());
    EXPECT_EQ(dir.Read("ovlimg.dat"), before);
    const Status refused = file.ReplaceCarryingOver(
        "x", [](const ProfileDocument&, ProfileWriter&) { return Status::Error("given up"); });
    EXPECT_EQ(refused.message(), "given up");
    EXPECT_EQ(dir.Read("ovlimg.dat"), before);
    ASSERT_TRUE(write_many("end").ok());
    const std::vector<std::string> keys = file.ReadKeys("Cat_1.Wallpapers");
    ASSERT_EQ(keys.size(), 20001u);
    EXPECT_EQ(keys[12345], "/p/12345.jpg");
    EXPECT_EQ(file.ReadString("Cat_1.Wallpapers", "last", ""), "end");
}

TEST(ProfileFileTest, AFileThatCannotBeReadIsNeverReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("ovl.dat"));  // unreadable as a file
    ProfileFile file(dir.File("ovl.dat"));
    const Status status = file.WriteString("Wallpaper", "LVSort", "0");
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("ovl.dat"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("ovl.dat")));

    ProfileFile in_missing_folder(dir.File("no such folder/ovl.dat"));
    EXPECT_FALSE(in_missing_folder.WriteString("Wallpaper", "LVSort", "0").ok());
}

TEST(ProfileFileTest, WritersInTwoProcessesDoNotLoseEachOthersKeys) {
    TempDir dir;
    const std::string path = dir.File("ovlimg.dat");
    constexpr int kPerProcess = 200;
    std::vector<pid_t> children;
    for (const char* section : {"First", "Second"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ProfileFile file(path);
            bool ok = true;
            for (int i = 0; i < kPerProcess; ++i) {
                ok = file.WriteString(section, "k" + std::to_string(i), "v").ok() && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ProfileFile file(path);
    EXPECT_EQ(file.ReadKeys("First").size(), static_cast<std::size_t>(kPerProcess));
    EXPECT_EQ(file.ReadKeys("Second").size(), static_cast<std::size_t>(kPerProcess));
}

}  // namespace
}  // namespace orvella
