#include "app/finder/FixedDrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <unistd.h>

namespace ks {

namespace {

// Decodes the octal escapes the kernel writes for blanks, tabs, line feeds and
// backslashes in mount table fields.
QString unescapeField(QByteArrayView field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], d = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && d >= '0' && d <= '7') {
                out.append(char((a - '0') * 64 + (b - '0') * 8 + (d - '0')));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QFile::decodeName(out);
}

bool isBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

}  // namespace

std::vector<MountEntry> parseMountTable(QByteArrayView text) {
    std::vector<MountEntry> entries;
    for (const QByteArray& line : QByteArray(text.data(), text.size()).split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        // id parent major:minor root mount-point options [optional...] - type source ...
        qsizetype separator = -1;
        for (qsizetype i = 6; i < fields.size(); ++i) {
            if (fields[i] == "-") {
                separator = i;
                break;
            }
        }
        if (separator < 0 || separator + 2 >= fields.size()) continue;
        MountEntry entry;
        entry.mountPoint = unescapeField(fields[4]);
        entry.fsType = unescapeField(fields[separator + 1]);
        entry.source = unescapeField(fields[separator + 2]);
        if (!entry.mountPoint.startsWith(u'/')) continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool isLocalDiskType(const QString& fsType) {
    static const QSet<QString> local = {
        QStringLiteral("ext2"),     QStringLiteral("ext3"),     QStringLiteral("ext4"),
        QStringLiteral("xfs"),      QStringLiteral("btrfs"),    QStringLiteral("zfs"),
        QStringLiteral("jfs"),      QStringLiteral("reiserfs"), QStringLiteral("f2fs"),
        QStringLiteral("bcachefs"), QStringLiteral("nilfs2"),   QStringLiteral("vfat"),
        QStringLiteral("exfat"),    QStringLiteral("ntfs"),     QStringLiteral("ntfs3"),
        QStringLiteral("fuseblk"),  QStringLiteral("hfsplus"),  QStringLiteral("apfs"),
        QStringLiteral("ufs"),      QStringLiteral("overlay"),
    };
    return local.contains(fsType);
}

DriveList drivesFromMounts(const std::vector<MountEntry>& mounts, const QString& home,
                           const std::function<bool(const QString& device)>& isRemovable,
                           const std::function<bool(const QString& folder)>& canRead) {
    DriveList list;
    QSet<QString> taken;
    auto add = [&](const QString& root) {
        if (root.isEmpty() || taken.contains(root)) return;
        taken.insert(root);
        list.roots.push_back(root);
    };
    if (!home.isEmpty() && canRead(home)) add(home);
    for (const MountEntry& mount : mounts) {
        list.mountPoints.insert(mount.mountPoint);
        if (!isLocalDiskType(mount.fsType)) continue;
        if (isBelow(mount.mountPoint, QStringLiteral("/media")) ||
            isBelow(mount.mountPoint, QStringLiteral("/run/media")))
            continue;
        if (mount.source.startsWith(u"/dev/") && isRemovable(mount.source)) continue;
        if (!canRead(mount.mountPoint)) continue;
        add(mount.mountPoint);
    }
    return list;
}

bool isRemovableDevice(const QString& device) {
    const QString real = QFileInfo(device).canonicalFilePath();
    const QString name = QFileInfo(real.isEmpty() ? device : real).fileName();
    if (name.isEmpty()) return false;
    // A disk has its own flag; a partition's flag is its disk's, one folder up.
    const QString block = QStringLiteral("/sys/class/block/") + name;
    for (const QString& flag :
         {block + QStringLiteral("/removable"), block + QStringLiteral("/../removable")}) {
        QFile file(flag);
        if (file.open(QIODevice::ReadOnly)) return file.readAll().trimmed() == "1";
    }
    return false;
}

DriveList fixedDrives() {
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    QByteArray text;
    if (table.open(QIODevice::ReadOnly)) text = table.readAll();
    const QString home = QFileInfo(QDir::homePath()).canonicalFilePath();
    return drivesFromMounts(
        parseMountTable(text), home, isRemovableDevice, [](const QString& folder) {
            return access(QFile::encodeName(folder).constData(), R_OK | X_OK) == 0;
        });
}

}  // namespace ks
