// The folders the file finder crawls: the user's home folder and every mounted local,
// non-removable file system the user can read, each as one drive. Pseudo, network,
// optical and removable file systems are left out, and so is every mount point inside a
// drive that is not itself a drive: the crawl never crosses into another file system.
#pragma once

#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

namespace ks {

// One line of the mount table ("/proc/self/mountinfo").
struct MountEntry {
    QString mountPoint;
    QString fsType;
    QString source;  // the device, "/dev/sda1"; a name for pseudo file systems
};

struct DriveList {
    std::vector<QString> roots;  // the drives' root folders, in crawl order
    QSet<QString> mountPoints;   // every mount point; a crawl never enters one
};

// The entries of a mount table in "/proc/self/mountinfo" form (octal escapes such as
// "\040" decoded). Malformed lines are skipped.
std::vector<MountEntry> parseMountTable(QByteArrayView text);

// Whether a file system type is one kept on a local disk (ext4, xfs, btrfs, vfat, ...).
bool isLocalDiskType(const QString& fsType);

// The drives for a mount table: `home` first, then each mount point of a local disk type
// whose device is not removable and which `canRead` accepts, each once. Mount points
// below "/media" and "/run/media" count as removable.
DriveList drivesFromMounts(const std::vector<MountEntry>& mounts, const QString& home,
                           const std::function<bool(const QString& device)>& isRemovable,
                           const std::function<bool(const QString& folder)>& canRead);

// Whether the kernel marks a block device ("/dev/sdb1") as removable.
bool isRemovableDevice(const QString& device);

// The drives of this machine, from its mount table and the user's home folder.
DriveList fixedDrives();

}  // namespace ks
