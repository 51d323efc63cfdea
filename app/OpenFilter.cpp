#include "app/OpenFilter.h"

#include <algorithm>

#include <QFileInfo>

namespace ks {

OpenFilterChoice openFilterFor(const std::optional<QString>& lastFileType, int allFilesIndex) {
    const OpenFilterChoice first{1, QStringLiteral("ksv")};
    if (!lastFileType) return first;
    const QString& type = *lastFileType;
    if (type == u"all") return {allFilesIndex, {}};
    if (type == u"music") return {1, {}};
    if (type == u"ksv" || type == u"tpm") return {2, type};
    if (type == u"mid" || type == u"smf") return {3, type};
    return first;
}

QString lastFileTypeAfterOpen(int filterIndex, const QString& path, int allFilesIndex) {
    if (filterIndex == 2 || filterIndex == 3) return QFileInfo(path).suffix();
    if (filterIndex == allFilesIndex) return QStringLiteral("all");
    return QStringLiteral("music");
}

QString FilterEntry::suffix() const {
    if (patterns.isEmpty() || !patterns.front().startsWith(u"*.")) return {};
    const QString ext = patterns.front().mid(2);
    const bool plain = !ext.isEmpty() && std::all_of(ext.begin(), ext.end(),
                                                     [](QChar c) { return c.isLetterOrNumber(); });
    return plain ? ext : QString();
}

QList<FilterEntry> parseFilterText(const QString& filter) {
    QList<FilterEntry> entries;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;  // the closing "||"
        FilterEntry entry;
        entry.description = parts[i];
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            if (!p.trimmed().isEmpty()) entry.patterns.append(p.trimmed());
        entries.append(entry);
    }
    return entries;
}

}  // namespace ks
