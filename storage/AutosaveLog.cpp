#include "storage/AutosaveLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/AppPaths.h"

namespace ks {

namespace {

const QString kExtension = QStringLiteral(".autosave");
// Longest part of a title kept in a file name, in UTF-16 units: with the tag and the
// extension the name stays far below the 255-byte limit of common file systems.
constexpr qsizetype kMaxStem = 60;
constexpr qint64 kMaxLine = 4096;

QMutex& reservedMutex() {
    static QMutex mutex;
    return mutex;
}
QSet<QString>& reserved() {
    static QSet<QString> names;
    return names;
}

QString safeStem(const QString& title) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString stem;
    stem.reserve(title.size());
    for (const QChar c : title) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
        stem += control || forbidden.contains(c) ? QChar(u'_') : c;
    }
    while (stem.contains(QStringLiteral("..")))
        stem.replace(QStringLiteral(".."), QStringLiteral("."));
    stem = stem.trimmed();
    if (stem.size() > kMaxStem) {
        stem.truncate(kMaxStem);
        if (stem.back().isHighSurrogate()) stem.chop(1);
    }
    if (stem.isEmpty() || stem == u".") stem = text(StringId::Untitled);
    return stem;
}

// Reads the log line by line (line ends removed); false when it exists but cannot be
// read. Over-long lines are skipped whole.
template <class Visit>
bool readLog(Visit visit) {
    QFile log(AutosaveLog::path());
    if (!log.exists()) return true;
    if (!log.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    bool skipping = false;
    while (!log.atEnd()) {
        QByteArray line = log.readLine(kMaxLine);
        if (line.isEmpty() && log.error() != QFileDevice::NoError) return false;
        const bool whole = line.endsWith('\n') || log.atEnd();
        if (skipping || !whole) {
            skipping = !whole;
            continue;
        }
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QString entry = QString::fromUtf8(line);
        visit(entry.left(5), entry.mid(5));
    }
    return true;
}

}  // namespace

QString AutosaveLog::path() {
    return pathIn(tempFolder(), QStringLiteral("KSV4_autosave.log"));
}

bool AutosaveLog::append(const QString& tag, const QString& file) {
    QFile log(path());
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) return false;
    const QByteArray line = (tag + file + u'\n').toUtf8();
    return log.write(line) == line.size() && log.flush();
}

std::optional<QStringList> AutosaveLog::pendingFiles() {
    // Paths in the order first logged; a path taken off leaves an empty slot. The index
    // keeps a long log from costing time in proportion to its square.
    std::vector<QString> order;
    QHash<QString, size_t> slot;
    const bool read = readLog([&](const QString& tag, const QString& file) {
        if (tag == AutosaveTag::Auto) {
            if (slot.contains(file)) return;
            slot.insert(file, order.size());
            order.push_back(file);
        } else if (tag == AutosaveTag::SaveAs || tag == AutosaveTag::Close) {
            const auto at = slot.constFind(file);
            if (at == slot.constEnd()) return;
            order[*at].clear();
            slot.erase(at);
        }
    });
    if (!read) return std::nullopt;
    QStringList files;
    for (QString& file : order)
        if (!file.isEmpty()) files.append(std::move(file));
    return files;
}

QStringList AutosaveLog::autosavedFiles() {
    QStringList files;
    QSet<QString> seen;
    readLog([&](const QString& tag, const QString& file) {
        if (tag != AutosaveTag::Auto || seen.contains(file)) return;
        seen.insert(file);
        files.append(file);
    });
    return files;
}

void AutosaveLog::remove() {
    QFile::remove(path());
}

QString reserveAutosavePath(const QString& title) {
    const QString stem = pathIn(tempFolder(), safeStem(title));
    QMutexLocker lock(&reservedMutex());
    for (;;) {
        const QString candidate =
            stem +
            QStringLiteral("-%1")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                .toUpper() +
            kExtension;
        if (reserved().contains(candidate) || QFileInfo::exists(candidate)) continue;
        reserved().insert(candidate);
        return candidate;
    }
}

void releaseAutosavePath(const QString& path) {
    QMutexLocker lock(&reservedMutex());
    reserved().remove(path);
}

QString titleOfAutosavePath(const QString& path) {
    static const QRegularExpression tag(QStringLiteral("-[0-9A-F]{8}$"));
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(kExtension)) name.chop(kExtension.size());
    name.remove(tag);
    return name;
}

bool isAutosaveFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.fileName().endsWith(kExtension) || info.fileName() == kExtension) return false;
    const QString folder = QDir(tempFolder()).canonicalPath();
    return !folder.isEmpty() && QDir(info.absolutePath()).canonicalPath() == folder;
}

}  // namespace ks
