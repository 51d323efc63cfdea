#include "storage/FileOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

namespace ks {

namespace {

// Writes all bytes and closes the file; false on any error on the way.
bool writeAndClose(QFile& file, QByteArrayView bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            file.close();
            return false;
        }
        done += n;
    }
    const bool flushed = file.flush();
    file.close();
    return flushed && file.error() == QFileDevice::NoError;
}

bool writeDirect(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    return writeAndClose(file, bytes);
}

bool appendTo(const QString& path, QByteArrayView bytes) {
    const QFileInfo info(path);
    if (info.isDir()) return false;
    const bool existed = info.exists();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return false;
    const bool regular = QFileInfo(path).isFile();
    const qint64 oldSize = regular ? file.size() : 0;
    if (writeAndClose(file, bytes)) return true;
    if (regular) {
        if (existed)
            QFile::resize(path, oldSize);
        else
            QFile::remove(path);
    }
    return false;
}

// Opens a new, uniquely named file beside `target` (created with the usual permissions).
bool openTemporary(const QString& target, QFile& file) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name =
            QStringLiteral("%1.%2.tmp")
                .arg(target)
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        file.setFileName(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (file.error() != QFileDevice::OpenError || !QFileInfo::exists(name)) return false;
    }
    return false;
}

bool replace(const QString& path, QByteArrayView bytes) {
    QFileInfo info(path);
    QString target = path;
    if (info.isSymLink()) {
        // Replace the file the link points to, not the link.
        const QString resolved = info.canonicalFilePath();
        if (!resolved.isEmpty()) target = resolved;
        info = QFileInfo(target);
    }
    if (info.isDir()) return false;
    if (info.exists() && !info.isFile()) return writeDirect(target, bytes);  // a device

    QFile temp;
    if (!openTemporary(target, temp)) {
        // No temporary file possible here: overwrite in place if the file allows it.
        return info.exists() && writeDirect(target, bytes);
    }
    if (info.exists()) temp.setPermissions(info.permissions());
    if (!writeAndClose(temp, bytes)) {
        temp.remove();
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFileInfo(temp.fileName()).filesystemFilePath(),
                            QFileInfo(target).filesystemFilePath(), error);
    if (error) {
        temp.remove();
        return false;
    }
    return true;
}

}  // namespace

bool writeFileBytes(const QString& path, QByteArrayView bytes, bool append) {
    if (path.isEmpty()) return false;
    return append ? appendTo(path, bytes) : replace(path, bytes);
}

}  // namespace ks
