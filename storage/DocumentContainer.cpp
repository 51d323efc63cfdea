#include "storage/DocumentContainer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QtEndian>
#include <filesystem>
#include <system_error>

#include "storage/AppPaths.h"
#include "storage/FileOutput.h"
#include "storage/NZip.h"
#include "storage/ScoreWriter.h"

namespace ks {

namespace {

const QString kStubMember = QStringLiteral("tonePad.xml");
const QString kDocumentMember = QStringLiteral("keystaves.xml");
const QString kCompanionMember = QStringLiteral("tonePad.gfx");

std::filesystem::path fsPath(const QString& path) {
    return QFileInfo(path).filesystemFilePath();
}

// The file a path names: a symbolic link is followed, so that saving through a link
// replaces the file it points to rather than the link.
QString resolved(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty()) return target;
    }
    return path;
}

// Keeps the present content of `source` as `bak`: a second name for the same file where
// the file system allows it (the move that follows gives the target a new file), else a
// copy.
bool makeBackup(const QString& source, const QString& bak) {
    QFile::remove(bak);
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(source), fsPath(bak), error);
    if (!error) return true;
    return QFile::copy(source, bak);
}

bool moveOver(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    return !error;
}

bool failsAt(const ContainerWriteOptions& options, SaveStep step) {
    return options.fault && options.fault(step);
}

// A new, empty temporary file of our own in the temporary folder; its name is kept
// until the object goes, which removes the file.
bool makeTempFile(QTemporaryFile& file, const QString& name) {
    file.setFileTemplate(pathIn(tempFolder(), name + QStringLiteral("-XXXXXX.tmp")));
    if (!file.open()) return false;
    file.close();
    return true;
}

}  // namespace

ContainerSiblings containerSiblings(const QString& target) {
    const QString name = QFileInfo(target).fileName();
    const QString folder = target.left(target.size() - name.size());
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const auto sibling = [&](const char* extension) {
        QString n = base + u'.' + QLatin1String(extension);
        while (n.contains(QStringLiteral("..")))
            n.replace(QStringLiteral(".."), QStringLiteral("."));
        return folder + n;
    };
    return {sibling("v3xml"), sibling("v4xml"), sibling("gfx"), sibling("bak"), sibling("ksvtmp")};
}

ContainerWriteResult writeContainer(const QString& target, CScore& score,
                                    const CPrinterSettings& printer,
                                    const ContainerWriteOptions& options) {
    ContainerWriteResult result;
    if (target.isEmpty()) return result;
    const ContainerSiblings names = containerSiblings(target);
    // A target named like one of its own siblings would be deleted on the way.
    for (const QString& sibling : {names.v3xml, names.v4xml, names.gfx, names.bak, names.archive})
        if (QFileInfo(sibling).fileName().compare(QFileInfo(target).fileName(),
                                                  Qt::CaseInsensitive) == 0)
            return result;
    const QString destination = resolved(target);
    const QFileInfo old(destination);
    if (old.isDir()) return result;
    result.targetExisted = old.exists();

    dropEmptyMarks(score);
    CMarkupFile document;
    ScoreWriter(document).writeDocument(score, printer);
    bool ok = document.Save(names.v4xml) &&
              writeFileBytes(names.v3xml, compatibilityStub(), false) &&
              writeFileBytes(names.gfx, companionBytes(), false);

    // The new archive is built completely under its own name first.
    QFile::remove(names.archive);
    ok = ok && !failsAt(options, SaveStep::Member1) &&
         n_zip(names.v3xml, names.archive, kStubMember) != 0;
    ok = ok && !failsAt(options, SaveStep::Member2) &&
         n_zip(names.v4xml, names.archive, kDocumentMember) != 0;
    ok = ok && !failsAt(options, SaveStep::Member3) &&
         n_zip(names.gfx, names.archive, kCompanionMember) != 0;

    if (ok && options.backup && result.targetExisted && makeBackup(destination, names.bak))
        result.backup = names.bak;
    if (ok && result.targetExisted) QFile::setPermissions(names.archive, old.permissions());
    ok = ok && !failsAt(options, SaveStep::Move) && moveOver(names.archive, destination);

    QFile::remove(names.v3xml);
    QFile::remove(names.v4xml);
    QFile::remove(names.gfx);
    if (!ok) {
        QFile::remove(names.archive);
        // The target still holds the previous version; a backup of it is not wanted.
        if (!result.backup.isEmpty()) QFile::remove(result.backup);
        result.backup.clear();
    }
    result.ok = ok;
    return result;
}

ContainerReadResult readContainer(const QString& path, CScore& score, CPrinterSettings* printer,
                                  const QString& documentTempName,
                                  const QString& companionTempName) {
    ContainerReadResult result;
    score.Reset();
    if (printer) *printer = CPrinterSettings{};

    bool documentRead = false;
    {
        QTemporaryFile temp;
        if (makeTempFile(temp, documentTempName)) {
            const QString name = temp.fileName();
            // The stub stands in only for a document member that is not there at all
            // (a predecessor document): a damaged one must not open as the stub's empty
            // score, which a save would then write over the user's file.
            const int extracted = n_unzip(path, name, kDocumentMember);
            if (extracted == 1) {
                const ReadResult r = readScoreFile(name, score, printer);
                documentRead = r.ok;
                result.readerMessage = r.messageId;
            } else if (extracted == kUnzipMissing && n_unzip(path, name, kStubMember) == 1) {
                const ReadResult r = readPredecessorFile(name, score, printer);
                documentRead = r.ok;
                result.readerMessage = r.messageId;
                result.predecessor = true;
            }
        }
    }

    bool companionRead = false;
    {
        QTemporaryFile temp;
        if (makeTempFile(temp, companionTempName) &&
            n_unzip(path, temp.fileName(), kCompanionMember) == 1) {
            QFile companion(temp.fileName());
            if (companion.open(QIODevice::ReadOnly)) {
                companionRead = true;
                char bytes[4];
                // Documents of the current format keep their page colours in the score;
                // the companion file (always white from this writer) speaks only for
                // predecessor documents, which have no such element.
                if (companion.read(bytes, 4) == 4 && result.predecessor && documentRead) {
                    const int32_t colour = qFromLittleEndian<int32_t>(bytes);
                    score.prefs.paper = colour;
                    score.prefs.margin = colour;
                }
            }
        }
    }

    result.ok = documentRead && companionRead;
    if (!result.ok) {
        score.Reset();
        if (printer) *printer = CPrinterSettings{};
    }
    return result;
}

bool looksLikeZip(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(4);
    return head == QByteArrayLiteral("PK\x03\x04") || head == QByteArrayLiteral("PK\x05\x06");
}

}  // namespace ks
