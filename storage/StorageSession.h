// StorageSession: what document storage keeps for the whole run of the program: the
// backups made by saving, whether to delete them at exit, the offer to recover
// autosaved documents at start, and the tidying up at a clean exit.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ks {

class IDocumentPrompts;

class StorageSession {
  public:
    // Reads `DeleteBakFiles` from the program's settings.
    StorageSession();
    explicit StorageSession(bool deleteBakFiles) : deleteBakFiles_(deleteBakFiles) {}

    // The `DeleteBakFiles` setting: a nonzero value means true; absent means false.
    static bool readDeleteBakFiles();

    bool deleteBakFiles() const { return deleteBakFiles_; }
    // Remembers a backup made in this run (each once).
    void addBackup(const QString& path);
    const QStringList& backups() const { return backups_; }

    // Opens one autosave file as a recovered document; false when it could not be read.
    using OpenAutosave = std::function<bool(const QString& autosavePath)>;
    // Offers to restore the documents a previous session left unsaved. Returns the
    // number of documents opened.
    int recoverAtStart(IDocumentPrompts& prompts, const OpenAutosave& open);

    // At a clean exit: deletes every autosave file of the log and the log itself, and,
    // when `DeleteBakFiles` is set, the backups of this run.
    void cleanExit();

  private:
    bool deleteBakFiles_ = false;
    QStringList backups_;
};

}  // namespace ks
