// make-manual SOURCE OUTPUT: writes the manual's pages and pictures for the program's
// resources. Pages are copied with their generated parts filled in ("<!--shortcuts-->"
// becomes the table of keyboard shortcuts); the screenshots are taken from the program's
// own windows on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "Screenshots.h"
#include "ShortcutTable.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    // An unchanged file is left alone, so the resources are not rebuilt for nothing.
    if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes) return true;
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: make-manual SOURCE OUTPUT\n", stderr);
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(output.path());
    const QByteArray table = ks::shortcutTableHtml().toUtf8();
    for (const QFileInfo& info : source.entryInfoList(QDir::Files)) {
        QFile in(info.filePath());
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "make-manual: cannot read %s\n", qPrintable(info.filePath()));
            return 1;
        }
        QByteArray bytes = in.readAll();
        if (info.suffix().compare(u"htm", Qt::CaseInsensitive) == 0)
            bytes.replace("<!--shortcuts-->", table);
        if (!writeFile(output.filePath(info.fileName()), bytes)) {
            std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(info.fileName()));
            return 1;
        }
    }
    if (!ks::writeScreenshots(output.path())) {
        std::fputs("make-manual: the screenshots could not be saved\n", stderr);
        return 1;
    }
    return 0;
}
