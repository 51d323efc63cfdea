// The Open dialog's filter: which entry and default extension the dialog starts with,
// chosen by the `LastFileType` setting, and what the setting becomes after a file was
// opened through a filter.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ks {

struct OpenFilterChoice {
    int filterIndex = 1;       // 1-based entry of the filter list
    QString defaultExtension;  // empty = none
    bool operator==(const OpenFilterChoice&) const = default;
};

// The start of the dialog for a `LastFileType` value (absent = nullopt); "all" chooses
// entry `allFilesIndex`, the last one.
OpenFilterChoice openFilterFor(const std::optional<QString>& lastFileType, int allFilesIndex = 4);

// The `LastFileType` value after opening `path` through filter `filterIndex` (1-based):
// the file's extension for filters 2 and 3, "all" for `allFilesIndex`, "music"
// otherwise.
QString lastFileTypeAfterOpen(int filterIndex, const QString& path, int allFilesIndex = 4);

// One filter entry: its description and its patterns.
struct FilterEntry {
    QString description;
    QStringList patterns;  // "*.ksv", ...
    // The extension of the first pattern ("ksv"), the one a name typed without any gets;
    // empty for "*.*" and patterns that are not of the form "*.ext".
    QString suffix() const;
};
// Splits a filter text "Description|*.a; *.b|...||" into its entries.
QList<FilterEntry> parseFilterText(const QString& filter);

}  // namespace ks
