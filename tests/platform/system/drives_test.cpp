#include "platform/system/drives.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

// A mountinfo as a desktop machine shows it, trimmed to the interesting lines.
constexpr std::string_view kMountInfo =
    "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
    "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
    "24 22 0:5 / /dev rw - devtmpfs udev rw\n"
    "30 22 8:3 / /home rw,relatime shared:2 - ext4 /dev/sda3 rw\n"
    "31 22 0:40 / /run/user/1000 rw - tmpfs tmpfs rw\n"
    "32 22 8:17 / /media/user/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
    "33 22 0:50 / /mnt/share rw - cifs //server/share rw\n"
    "34 22 0:51 / /mnt/nfs rw - nfs4 server:/export rw\n"
    "35 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "36 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
    "37 22 0:52 / /home/user/remote rw - fuse.sshfs user@host: rw\n"
    "garbage line\n";

TEST(DrivesTest, MountPointsBecomeDrivesOfTheirKind) {
    const auto label_of = [](const std::string& device) {
        return device == "/dev/sda3" ? std::string("Daten") : std::string();
    };
    const std::vector<Drive> drives = DrivesFromMountInfo(kMountInfo, label_of);
    const std::vector<Drive> expected = {
        {"/", DriveType::Fixed, "/", "ext4"},
        {"/home/", DriveType::Fixed, "Daten", "ext4"},
        {"/home/user/remote/", DriveType::Remote, "remote", "fuse.sshfs"},
        {"/media/cdrom/", DriveType::CdRom, "cdrom", "iso9660"},
        {"/media/user/USB STICK/", DriveType::Removable, "USB STICK", "vfat"},
        {"/mnt/nfs/", DriveType::Remote, "nfs", "nfs4"},
        {"/mnt/share/", DriveType::Remote, "share", "cifs"},
    };
    EXPECT_EQ(drives, expected);
}

TEST(DrivesTest, AContainersOverlayRootIsStillTheSystemDrive) {
    const std::vector<Drive> drives = DrivesFromMountInfo(
        "100 90 0:33 / / rw - overlay overlay rw,lowerdir=/a\n"
        "101 100 0:34 / /proc rw - proc proc rw\n",
        nullptr);
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].root, "/");
    EXPECT_EQ(drives[0].type, DriveType::Fixed);
    // The host's own list holds at least that root.
    const std::vector<Drive> host = HostDrives().List();
    EXPECT_TRUE(
        std::any_of(host.begin(), host.end(), [](const Drive& d) { return d.root == "/"; }));
}

}  // namespace
}  // namespace orvella
