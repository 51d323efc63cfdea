// Helpers of the printing and export tests: the sample scores, the command-line program
// and the PDF reader tools (poppler-utils) that read the files back.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "storage/DocumentContainer.h"
#include "storage/ScoreReader.h"
#include "TestPaths.h"

namespace ks::test {

inline QString samplePath(const QString& name) {
    return QStringLiteral(KS_SOURCE_DIR "/resources/samples/") + name;
}

// A sample score with its own page; false when it cannot be read.
inline bool loadSample(const QString& name, CScore& score, PageGeometry& page) {
    CPrinterSettings printer;
    const QString path = samplePath(name);
    const bool read = looksLikeZip(path) ? readContainer(path, score, &printer).ok
                                         : readAnyScoreFile(path, score, &printer).ok;
    if (!read) return false;
    page = pageGeometryFor(printer);
    return true;
}

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program to its end with no display chosen, as on a server.
inline ToolRun runTool(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(120000)) process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The value of one "Key: value" line of pdfinfo.
inline QString pdfInfo(const QString& pdf, const QString& key) {
    const ToolRun run = runTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : run.out.split(u'\n'))
        if (line.startsWith(key + u':')) return line.mid(key.size() + 1).trimmed();
    return {};
}

struct PdfImage {
    int page = 0;
    int width = 0;
    int height = 0;
    QString colour;
    int bitsPerComponent = 0;
    int ppi = 0;  // horizontal pixels per inch of the page the image is drawn on
};

// The images of a PDF as pdfimages lists them.
inline std::vector<PdfImage> pdfImages(const QString& pdf) {
    std::vector<PdfImage> images;
    const ToolRun run = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    for (const QString& line : run.out.split(u'\n')) {
        const QStringList f =
            line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        bool isNumber = false;
        if (f.size() < 8 || (f[0].toInt(&isNumber), !isNumber)) continue;
        images.push_back({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[5], f[7].toInt(),
                          f.size() > 12 ? f[12].toInt() : 0});
    }
    return images;
}

// The fonts pdffonts lists: name (without a subset prefix) and whether it is embedded.
inline std::vector<std::pair<QString, bool>> pdfFonts(const QString& pdf) {
    std::vector<std::pair<QString, bool>> fonts;
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdf}).out.split(u'\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f =
            lines[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (f.size() < 5) continue;
        QString name = f[0];
        if (name.size() > 7 && name[6] == u'+') name = name.mid(7);
        // Columns from the right: object id (2), uni, sub, emb.
        fonts.emplace_back(name, f[f.size() - 5] == u"yes");
    }
    return fonts;
}

inline QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace ks::test
