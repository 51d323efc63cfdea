// Autosave files and their log. Each autosave of a document is logged as "AUTO <path>";
// "SVAS <path>" (the document was saved under a name) and "CLSE <path>" (it was closed)
// take the path back off the list of files a crashed session leaves to recover.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ks {

namespace AutosaveTag {
inline const QString Auto = QStringLiteral("AUTO ");
inline const QString SaveAs = QStringLiteral("SVAS ");
inline const QString Close = QStringLiteral("CLSE ");
}  // namespace AutosaveTag

class AutosaveLog {
  public:
    // "KSV4_autosave.log" in the temporary folder.
    static QString path();
    // Appends one line: the five-character tag and the path. False when it failed.
    static bool append(const QString& tag, const QString& file);
    // The files still awaiting recovery: every "AUTO " path, less those named later by
    // "SVAS " or "CLSE ", each once, in order. Empty when there is no log; nothing when
    // the log cannot be read.
    static std::optional<QStringList> pendingFiles();
    // Every path ever logged with "AUTO ", each once.
    static QStringList autosavedFiles();
    static void remove();
};

// The autosave path of a document titled `title`: a file in the temporary folder whose
// name is made from the title (path separators, "..", control characters and characters
// no file system allows are replaced) plus a tag that no other open document and no
// existing file uses. The name stays reserved until released.
QString reserveAutosavePath(const QString& title);
void releaseAutosavePath(const QString& path);

// The title an autosave file was made for: its name without the tag and ".autosave".
QString titleOfAutosavePath(const QString& path);

// Whether `path` is an autosave file this program may open or delete: a name ending in
// ".autosave" directly inside the temporary folder.
bool isAutosaveFile(const QString& path);

}  // namespace ks
