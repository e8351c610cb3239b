#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "library/category_store.h"
#include "platform/registry/registry_file.h"
#include "shell/message_catalogue.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

// A real file system of 256 KB, mounted by the test (as root, where the machine allows it).
class SmallDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root";
        ASSERT_EQ(::mkdir(disk_.c_str(), 0755), 0);
        if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, "size=256k") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) {
            EXPECT_EQ(::umount2(disk_.c_str(), MNT_DETACH), 0) << std::strerror(errno);
        }
    }
    bool Remount(unsigned long flags) const {
        return ::mount("tmpfs", disk_.c_str(), "tmpfs", MS_REMOUNT | flags, "size=256k") == 0;
    }
    // Writes one file until the disk is full.
    void Fill() const {
        std::ofstream filler(disk_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            filler.flush();
    }
    // What the folder holds besides the filler: the data files and their locks, never a
    // temporary file.
    std::set<std::string> Held() const {
        std::set<std::string> names = dir_.Entries("disk");
        names.erase("filler");
        return names;
    }

    TempDir dir_;
    std::string disk_ = dir_.File("disk");
    bool mounted_ = false;
};

TEST_F(SmallDiskTest, AFullDiskOrAReadOnlyFolderFailsTheSaveWithTheReasonAndLosesNothing) {
    MessageCatalogue catalogue;
    const std::string path = disk_ + "/ovlimg.dat";
    TCategoryStore store(path, "icon.bmp", catalogue);
    ASSERT_TRUE(store.LoadCategories().ok());
    ASSERT_TRUE(store.CreateCategory(1, "i.bmp", "Eins"));
    store.AddPicture(1, "/p/first.jpg", true);
    ASSERT_TRUE(store.SaveCategories().ok());
    RegistryFile hive(disk_ + "/hive.reg");
    ASSERT_TRUE(hive.WriteValues(RegistryRoot::CurrentUser, "Software\\Orvella",
                                 {RegistryValue::String("Kept", "1")})
                    .ok());
    const std::string store_before = dir_.Read("disk/ovlimg.dat");
    const std::string hive_before = dir_.Read("disk/hive.reg");
    const std::set<std::string> held = Held();

    for (int i = 0; i < 2000;
         ++i)  // some 90 KB: too much for a full disk, room enough on an empty one
        store.AddPicture(1, "/p/picture-of-a-long-name-" + std::to_string(i) + ".jpg", true);
    const std::string write_error = FillPlaceholder(catalogue.Text(kSMsgWriteError), path);
    const auto fails_with = [&](const Status& status, int error) {
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message().find(std::strerror(error)), std::string::npos)
            << status.message();
        EXPECT_EQ(dir_.Read("disk/ovlimg.dat"), store_before);
        EXPECT_EQ(dir_.Read("disk/hive.reg"), hive_before);
        EXPECT_EQ(Held(), held);
    };

    Fill();
    const Status full = store.SaveCategories();
    fails_with(full, ENOSPC);
    EXPECT_NE(full.message().find(write_error), std::string::npos) << full.message();
    fails_with(hive.WriteValues(RegistryRoot::CurrentUser, "Software\\Orvella",
                                {RegistryValue::String("Big", std::string(8192, 'b'))}),
               ENOSPC);

    ASSERT_EQ(::unlink((disk_ + "/filler").c_str()), 0);
    ASSERT_TRUE(Remount(MS_RDONLY)) << std::strerror(errno);
    const Status read_only = store.SaveCategories();
    fails_with(read_only, EROFS);
    EXPECT_NE(read_only.message().find(write_error), std::string::npos) << read_only.message();
    fails_with(hive.WriteValues(RegistryRoot::CurrentUser, "Software\\Orvella",
                                {RegistryValue::String("Big", "b")}),
               EROFS);

    // The cause gone, the pictures still in memory reach the file.
    ASSERT_TRUE(Remount(0)) << std::strerror(errno);
    ASSERT_TRUE(store.SaveCategories().ok());
    TCategoryStore reloaded(path, "icon.bmp", catalogue);
    ASSERT_TRUE(reloaded.LoadCategories().ok());
    EXPECT_EQ(reloaded.category(1).pictures, store.category(1).pictures);
    EXPECT_EQ(reloaded.category(1).pictures.size(), 2001u);
}

}  // namespace
}  // namespace orvella
