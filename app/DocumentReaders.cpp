#include "app/DocumentReaders.h"

#include <QStringList>

#include "app/AppTextIds.h"
#include "app/OpenFilter.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"
#include "storage/RootElement.h"

namespace ks {

namespace {

bool readBareDocument(CKeystaveDoc& doc, const QString& path) {
    return doc.importBareDocument(path);
}

QStringList patternsOf(const char* patterns) {
    QStringList list;
    for (const QString& p : QString::fromLatin1(patterns).split(u';', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) list.append(p.trimmed());
    return list;
}

void addPatterns(QStringList& to, const QStringList& patterns) {
    for (const QString& p : patterns)
        if (!to.contains(p)) to.append(p);
}

}  // namespace

const std::vector<DocumentReader>& documentReaders() {
    static const std::vector<DocumentReader> readers = {
        {StringId::ScoreDocumentFilter, "*.xml", isBareScoreDocument, readBareDocument},
        // MusicXML is read through the document's own MusicXML hook, after these readers;
        // it appears here for its place in the Open dialog.
        {StringId::MusicXmlDocumentFilter, "*.musicxml; *.mxl; *.xml", nullptr, nullptr},
    };
    return readers;
}

void installDocumentReaders(CKeystaveDoc& doc) {
    for (const DocumentReader& reader : documentReaders())
        doc.hooks.importers.push_back({reader.recognises, reader.read});
}

QString openDialogFilter() {
    QList<FilterEntry> entries = parseFilterText(text(StringId::OpenFilter));
    const QStringList predecessor{QStringLiteral("*.tpm")};
    // All music files, Keystaves files, MIDI files, all files: the first two also take
    // the predecessor's documents, and the first the readers' files.
    if (entries.size() >= 2) {
        addPatterns(entries[0].patterns, predecessor);
        addPatterns(entries[1].patterns, predecessor);
    }
    const qsizetype allFiles = entries.isEmpty() ? 0 : entries.size() - 1;
    qsizetype insertAt = allFiles;
    for (const DocumentReader& reader : documentReaders()) {
        const QStringList patterns = patternsOf(reader.patterns);
        if (!entries.isEmpty()) addPatterns(entries[0].patterns, patterns);
        entries.insert(insertAt++, FilterEntry{text(reader.filterLabel), patterns});
    }
    QString filter;
    for (const FilterEntry& entry : entries)
        filter += entry.description + u'|' + entry.patterns.join(QStringLiteral("; ")) + u'|';
    return filter + u'|';
}

}  // namespace ks
