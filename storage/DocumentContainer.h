// The document container: a zip archive holding the compatibility stub ("tonePad.xml"),
// the current document ("keystaves.xml") and the 28-byte companion file ("tonePad.gfx"),
// written in that order.
#pragma once

#include <QString>
#include <functional>

#include "model/Score.h"
#include "storage/PrinterSettings.h"
#include "storage/ScoreReader.h"

namespace ks {

// The files a save makes beside its target: the three members before they are zipped,
// the backup of the previous version, and the new archive before it replaces the target.
struct ContainerSiblings {
    QString v3xml, v4xml, gfx, bak, archive;
};
// The target with its extension replaced; folder and base name are kept.
ContainerSiblings containerSiblings(const QString& target);

// The steps of a save at which a test can make it fail.
enum class SaveStep { Member1, Member2, Member3, Move };

struct ContainerWriteOptions {
    // Keep the previous version of the target as its ".bak" sibling (not for autosave).
    bool backup = true;
    // For tests: returns true to make the given step fail.
    std::function<bool(SaveStep)> fault;
};

struct ContainerWriteResult {
    bool ok = false;
    bool targetExisted = false;  // the target held a previous version
    QString backup;              // the ".bak" made by this save, empty when none
};

// Writes `score` (empty lyrics and empty note marks are dropped from it first) with
// its printer settings to `target`. The new archive is built completely beside the
// target and moved over it only when complete, so the target holds either its old
// content or the new one at every moment, and the old one after any failure. The
// backup is made before that move; a failed save leaves no backup of its own.
ContainerWriteResult writeContainer(const QString& target, CScore& score,
                                    const CPrinterSettings& printer,
                                    const ContainerWriteOptions& options = {});

struct ContainerReadResult {
    bool ok = false;
    int readerMessage = 0;     // text id of the document reader's own message, or 0
    bool predecessor = false;  // the document came from the predecessor member
};

// Reads a container into `score` (which is reset first) and, when given, `printer`.
// The compatibility stub is read (as a predecessor document) only when the archive has
// no document member at all; a document member that is there but cannot be extracted
// fails the read.
// The members are extracted to temporary files in the temporary folder named after
// `tempName` ("~KSV-ZIP1" and the like), which are always removed afterwards. On failure
// the score and printer settings are left reset.
ContainerReadResult readContainer(const QString& path, CScore& score, CPrinterSettings* printer,
                                  const QString& documentTempName = QStringLiteral("~KSV-ZIP1"),
                                  const QString& companionTempName = QStringLiteral("~KSV-ZIP2"));

// Whether the file starts like a zip archive.
bool looksLikeZip(const QString& path);

}  // namespace ks
