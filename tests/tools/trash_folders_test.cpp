#include "tools/trash_folders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/environment.h"

namespace orvella {
namespace {

using ::testing::Contains;

TEST(TrashFoldersTest, TheTrashOfEachDriveAndOfHomeAndEverythingBelowIt) {
    const TrashFolders trash({"/", "/mnt/daten/"}, 1000, "/home/anna/.local/share");

    EXPECT_TRUE(trash.Contains("/.Trash-1000"));
    EXPECT_TRUE(trash.Contains("/.Trash-1000/files/urlaub"));
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash/1000"));
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash/1000/files"));
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash-1000/files"));
    EXPECT_TRUE(trash.Contains("/home/anna/.local/share/Trash/files"));

    // Another user's trash, a name that only begins like a trash folder, a trash folder
    // below the root of a drive, and the root itself are searched.
    EXPECT_FALSE(trash.Contains("/.Trash-1001/files"));
    EXPECT_FALSE(trash.Contains("/.Trash-10000"));
    EXPECT_FALSE(trash.Contains("/mnt/daten/.Trash/10001"));
    EXPECT_FALSE(trash.Contains("/home/anna/.local/share/Trash2"));
    EXPECT_FALSE(trash.Contains("/home/anna/Bilder/.Trash-1000"));
    EXPECT_FALSE(trash.Contains("/"));
    EXPECT_FALSE(trash.Contains("/mnt/daten"));
}

TEST(TrashFoldersTest, TheHomeTrashFollowsXdgDataHomeAndTheRunningUser) {
    MapEnvironment environment;
    environment.Set("HOME", "/home/anna");
    const std::string user = std::to_string(::getuid());
    EXPECT_THAT(TrashFolders::ForUser({"/"}, environment).folders(),
                Contains("/home/anna/.local/share/Trash"));
    EXPECT_TRUE(TrashFolders::ForUser({"/"}, environment).Contains("/.Trash-" + user + "/x"));

    environment.Set("XDG_DATA_HOME", "/daten/anna/");
    EXPECT_TRUE(TrashFolders::ForUser({"/"}, environment).Contains("/daten/anna/Trash/files"));
    EXPECT_FALSE(
        TrashFolders::ForUser({"/"}, environment).Contains("/home/anna/.local/share/Trash"));
}

}  // namespace
}  // namespace orvella
