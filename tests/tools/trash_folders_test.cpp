#include "tools/trash_folders.h"

#include <gtest/gtest.h>

#include "platform/system/environment.h"

namespace orvella {
namespace {

TEST(TrashFoldersTest, TheTrashAtEachDriveRootAndOfHomeAndEverythingBelowIt) {
    const TrashFolders trash({"/", "/mnt/daten/"}, "/home/anna/.local/share");

    EXPECT_TRUE(trash.Contains("/.Trash-1000"));
    EXPECT_TRUE(trash.Contains("/.Trash-1000/files/urlaub"));
    EXPECT_TRUE(trash.Contains("/.Trash-1001/files"));  // another user's as well
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash/1000"));
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash/1000/files"));
    EXPECT_TRUE(trash.Contains("/mnt/daten/.Trash-1000/files"));
    EXPECT_TRUE(trash.Contains("/home/anna/.local/share/Trash"));
    EXPECT_TRUE(trash.Contains("/home/anna/.local/share/Trash/files"));

    // A trash-like folder below a drive's root, a folder only beginning like the home
    // trash, and the roots themselves are searched.
    EXPECT_FALSE(trash.Contains("/home/anna/Bilder/.Trash-1000"));
    EXPECT_FALSE(trash.Contains("/mnt/daten/alt/.Trash/1000"));
    EXPECT_FALSE(trash.Contains("/home/anna/.local/share/Trash2"));
    EXPECT_FALSE(trash.Contains("/Trash"));
    EXPECT_FALSE(trash.Contains("/"));
    EXPECT_FALSE(trash.Contains("/mnt/daten"));
}

TEST(TrashFoldersTest, TheHomeTrashFollowsXdgDataHome) {
    MapEnvironment environment;
    environment.Set("HOME", "/home/anna");
    EXPECT_EQ(TrashFolders::ForUser({"/"}, environment).home_trash(),
              "/home/anna/.local/share/Trash");

    environment.Set("XDG_DATA_HOME", "/daten/anna/");
    const TrashFolders trash = TrashFolders::ForUser({"/"}, environment);
    EXPECT_TRUE(trash.Contains("/daten/anna/Trash/files"));
    EXPECT_FALSE(trash.Contains("/home/anna/.local/share/Trash/files"));
    EXPECT_TRUE(trash.Contains("/.Trash-1000/files"));
}

}  // namespace
}  // namespace orvella
