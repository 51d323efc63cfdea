// What the fuzz targets share: a failed check stops the run, and readers that take a
// path get the input as a file in a folder of the run's own.
#pragma once

#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace ks::fuzz {

[[noreturn]] inline void fail() {
    __builtin_trap();
}

// The run's own folder (under /dev/shm where there is one, so that writing each input
// costs little), made once; the program's temporary and data folders point into it.
inline const QString& workFolder() {
    static const QString folder = [] {
        QByteArray base = QDir(QStringLiteral("/dev/shm")).exists() ? "/dev/shm" : "/tmp";
        QByteArray pattern = base + "/keystaves-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) fail();
        const QString path = QString::fromLocal8Bit(pattern);
        QDir(path).mkpath(QStringLiteral("temp"));
        QDir(path).mkpath(QStringLiteral("data"));
        qputenv("KEYSTAVES_TEMP_DIR", (path + QStringLiteral("/temp")).toLocal8Bit());
        qputenv("KEYSTAVES_DATA_DIR", (path + QStringLiteral("/data")).toLocal8Bit());
        // Nothing of the run stays behind.
        static const QString removeAtExit = path;
        atexit([] { QDir(removeAtExit).removeRecursively(); });
        return path;
    }();
    return folder;
}

// The program's temporary folder, where readers put their own files.
inline QString tempFolderOfRun() {
    return workFolder() + QStringLiteral("/temp");
}

// Writes the input as the file `name` in the run's folder and returns its path.
inline QString inputFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = workFolder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail();
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) fail();
    return path;
}

}  // namespace ks::fuzz
