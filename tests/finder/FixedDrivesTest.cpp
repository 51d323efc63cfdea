// The drives of a machine from its mount table: the home folder first, then each local,
// non-removable disk the user can read, once; every mount point is kept so the crawl
// stays out of the others.
#include <gtest/gtest.h>

#include "app/finder/FixedDrives.h"

using namespace ks;

namespace {

// A mount table as the kernel writes it, with the kinds of file system a desktop has.
const char* const kMountInfo =
    "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
    "23 28 0:22 / /sys rw,relatime shared:2 - sysfs sysfs rw\n"
    "24 28 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,size=1k\n"
    "26 24 0:24 / /dev/shm rw,relatime - tmpfs tmpfs rw\n"
    "28 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw,discard\n"
    "29 28 8:2 / /home rw,relatime shared:3 - btrfs /dev/sda2 rw\n"
    "30 28 8:3 / /mnt/My\\040Data rw,relatime - xfs /dev/sda3 rw\n"
    "31 28 8:17 / /mnt/usb rw,relatime - vfat /dev/sdb1 rw\n"
    "32 28 11:0 / /media/ann/DISC ro,relatime - iso9660 /dev/sr0 ro\n"
    "33 28 8:33 / /run/media/ann/STICK rw - exfat /dev/sdc1 rw\n"
    "34 28 0:50 / /net/share rw - nfs4 server:/export rw\n"
    "35 28 0:51 / /home/ann/remote rw - fuse.sshfs ann@host: rw\n"
    "36 28 8:4 / /secret rw - ext4 /dev/sda4 rw\n"
    "37 28 8:2 /projects /srv/projects rw - btrfs /dev/sda2 rw\n"
    "38 28 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
    "39 28 0:52 / /run rw - tmpfs tmpfs rw\n"
    "40 28 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
    "not a mount line\n"
    "41 28 0:53 / relative rw - ext4 /dev/x rw\n";

}  // namespace

TEST(FinderFixedDrives, MountTableIsParsedWithItsEscapes) {
    const std::vector<MountEntry> mounts = parseMountTable(kMountInfo);
    ASSERT_EQ(mounts.size(), 17u);
    EXPECT_EQ(mounts[0].mountPoint, "/proc");
    EXPECT_EQ(mounts[0].fsType, "proc");
    EXPECT_EQ(mounts[1].fsType, "sysfs");  // optional fields before the separator
    EXPECT_EQ(mounts[6].mountPoint, "/mnt/My Data");
    EXPECT_EQ(mounts[6].source, "/dev/sda3");
    EXPECT_EQ(mounts[10].source, "server:/export");
}

TEST(FinderFixedDrives, LocalNonRemovableReadableDisksWithTheHomeFolderFirst) {
    const DriveList drives = drivesFromMounts(
        parseMountTable(kMountInfo), "/home/ann",
        [](const QString& device) { return device == "/dev/sdb1"; },
        [](const QString& folder) { return folder != "/secret"; });
    EXPECT_EQ(drives.roots,
              (std::vector<QString>{"/home/ann", "/", "/home", "/mnt/My Data", "/srv/projects"}));
    for (const char* point : {"/proc", "/dev/shm", "/mnt/usb", "/net/share", "/home/ann/remote",
                              "/snap/core/1", "/run", "/secret", "/home"})
        EXPECT_TRUE(drives.mountPoints.contains(point)) << point;
}

TEST(FinderFixedDrives, AnUnreadableHomeOrNoMountTable) {
    const DriveList none = drivesFromMounts(
        {}, "/home/ann", [](const QString&) { return false; },
        [](const QString&) { return false; });
    EXPECT_TRUE(none.roots.empty());
    const DriveList home = drivesFromMounts(
        {}, "/home/ann", [](const QString&) { return false; }, [](const QString&) { return true; });
    EXPECT_EQ(home.roots, std::vector<QString>{"/home/ann"});
}

TEST(FinderFixedDrives, ThisMachineHasItsHomeFolder) {
    const DriveList drives = fixedDrives();
    ASSERT_FALSE(drives.roots.empty());
    EXPECT_TRUE(drives.mountPoints.contains("/proc") || drives.mountPoints.isEmpty());
    EXPECT_FALSE(std::count(drives.roots.begin(), drives.roots.end(), QString("/proc")));
}
