#include "storage/StorageSession.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "storage/AutosaveLog.h"
#include "storage/DocumentPrompts.h"
#include "storage/StorageTextIds.h"

namespace ks {

StorageSession::StorageSession() : deleteBakFiles_(readDeleteBakFiles()) {}

bool StorageSession::readDeleteBakFiles() {
    const QSettings settings(QStringLiteral("Halvern"),
                             QStringLiteral("Halvern Keystaves Notation Software"));
    bool number = false;
    const qlonglong value = settings.value(QStringLiteral("DeleteBakFiles")).toLongLong(&number);
    return number && value != 0;
}

void StorageSession::addBackup(const QString& path) {
    if (!path.isEmpty() && !backups_.contains(path)) backups_.append(path);
}

int StorageSession::recoverAtStart(IDocumentPrompts& prompts, const OpenAutosave& open) {
    const std::optional<QStringList> pending = AutosaveLog::pendingFiles();
    if (!pending || pending->isEmpty()) return 0;
    int opened = 0;
    // Only autosave files in the temporary folder are opened or deleted, whatever else
    // the log may name.
    if (prompts.askYesNo(StringId::RestoreAutosaveFiles, {})) {
        for (const QString& path : *pending) {
            if (!isAutosaveFile(path) || !QFileInfo(path).isFile()) continue;
            if (open && open(path))
                ++opened;
            else
                prompts.showMessage(StringId::FileCannotBeLoaded, {path});
        }
        if (opened > 0) prompts.showMessage(StringId::AutosaveFilesLoaded, {});
    } else {
        for (const QString& path : *pending)
            if (isAutosaveFile(path)) QFile::remove(path);
        prompts.showMessage(StringId::AutosaveFilesIgnored, {});
    }
    AutosaveLog::remove();
    return opened;
}

void StorageSession::cleanExit() {
    for (const QString& path : AutosaveLog::autosavedFiles())
        if (isAutosaveFile(path)) QFile::remove(path);
    AutosaveLog::remove();
    if (deleteBakFiles_)
        for (const QString& path : backups_)
            QFile::remove(path);
}

}  // namespace ks
