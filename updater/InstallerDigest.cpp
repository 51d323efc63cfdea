#include "updater/InstallerDigest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

namespace ks {

QString installerDigestPath(const QString& installer) {
    return installer + QLatin1String(".sha256");
}

bool writeInstallerDigest(const QString& installer, const QString& sha256) {
    QSaveFile file(installerDigestPath(installer));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(sha256.toLatin1() + '\n');
    return file.commit();
}

QString fileSha256(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash digest(QCryptographicHash::Sha256);
    if (!digest.addData(&file)) return {};
    return QString::fromLatin1(digest.result().toHex());
}

bool installerVerified(const QString& installer) {
    QFile kept(installerDigestPath(installer));
    if (!kept.open(QIODevice::ReadOnly)) return false;
    const QString expected = QString::fromLatin1(kept.read(200)).trimmed().toLower();
    if (expected.size() != 64) return false;
    return fileSha256(installer) == expected;
}

}  // namespace ks
