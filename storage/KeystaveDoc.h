// CKeystaveDoc, storage side: one open document with its score, printer settings and
// undo history; new, open by file type, save with a backup, save as, close, autosave.
// It has no widgets: questions and messages go through IDocumentPrompts, and the layers
// above plug in through the hooks.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "model/Score.h"
#include "storage/DocumentContainer.h"
#include "storage/PrinterSettings.h"
#include "storage/UndoHistory.h"

namespace ks {

class IDocumentPrompts;
class StorageSession;
class CKeystaveDoc;

// A kind of file that is read into a new score rather than opened as a container: bare
// score documents, and the readers of other formats the layers above add.
struct DocumentImporter {
    // Whether this importer reads the file (by its extension or its first bytes).
    std::function<bool(const QString& path)> recognises;
    // Reads the file into the document (through adoptScore) and tells the user of any
    // failure; false leaves the document unchanged.
    std::function<bool(CKeystaveDoc&, const QString& path)> read;
};

// What later layers plug in. Each does nothing when not set.
struct DocumentHooks {
    // Applies the application's default settings to a new score and printer settings.
    std::function<void(CScore&, CPrinterSettings&)> applyDefaults;
    // Lays the score out (after New and Open, and after Undo and Redo).
    std::function<void(CScore&)> layout;
    // Imports a standard MIDI file into the document (see adoptScore); true on success.
    // Without it, MIDI files are refused as an invalid file type.
    std::function<bool(CKeystaveDoc&, const QString& path)> importMidi;
    // Other kinds of file, tried in order after the containers; the first that
    // recognises a file reads it. An imported document counts as modified and is saved
    // as a ".ksv" beside its file.
    std::vector<DocumentImporter> importers;
    // Imports a MusicXML file into the document: 1 imported, 0 failed (the reason shown),
    // -1 not a MusicXML file. Without it, MusicXML files are refused.
    std::function<int(CKeystaveDoc&, const QString& path)> importMusicXml;
    // Stops playback, which reads the score.
    std::function<void()> stopPlayback;
    // For tests: returns true to make the given step of a save fail.
    std::function<bool(SaveStep)> saveFault;
};

class CKeystaveDoc {
  public:
    // `prompts` may be null: questions are then answered No and messages dropped.
    CKeystaveDoc(StorageSession& session, IDocumentPrompts* prompts);
    ~CKeystaveDoc();
    CKeystaveDoc(const CKeystaveDoc&) = delete;
    CKeystaveDoc& operator=(const CKeystaveDoc&) = delete;

    DocumentHooks hooks;

    // A new document: defaults, no key at bar 0, two empty tracks in the hands.
    void newDocument();
    // Opens a file by its extension: ".ksv", ".tpm", ".autosave" as containers (a
    // document file that holds a MIDI file is offered for import), then through the first
    // importer that recognises it, ".mid"/".smf" through the MIDI import hook. On failure
    // the document is unchanged.
    bool open(const QString& path);
    // Reads a bare score document (either format, by its root element) into a new
    // score; on failure its message is shown and the document is unchanged.
    bool importBareDocument(const QString& path);
    // Saves in the current format; a name with another extension than ".ksv" or ".tpm"
    // gets ".ksv". The previous version is kept as the ".bak" sibling.
    bool save(const QString& path);
    // Asks for a new name and saves under it; documents of the online library are
    // detached from it after a question. The name proposed is the document's own with
    // ".ksv" (the title with ".ksv" for a new document).
    bool saveAs();
    // The file save(path) writes: `path`, with ".ksv" in place of any other extension
    // than ".ksv" or ".tpm".
    static QString savedName(const QString& path);
    // Stops playback and takes the document off the list of files to recover.
    void close();
    // One 30-second tick of the autosave timer. Every fourth tick a modified document
    // is written to its autosave file. Returns true when it was written.
    bool autosaveTick();
    // Opens an autosave file left by an earlier session as a modified, unsaved document
    // carrying its old title.
    bool openRecovered(const QString& autosavePath);

    // Reads a container into a separate score (for previews): no open document changes.
    static ContainerReadResult readIntoSeparateScore(const QString& path, CScore& score,
                                                     CPrinterSettings* printer);

    // Replaces the score (for importers); the undo history starts afresh.
    void adoptScore(std::unique_ptr<CScore> score, const CPrinterSettings& printer);

    CScore& score() { return *score_; }
    const CScore& score() const { return *score_; }
    CPrinterSettings& printer() { return printer_; }
    CUndoHistory& history() { return history_; }

    bool isModified() const { return history_.IsModified(); }
    void MarkModified() { history_.MarkModified(); }

    // The file the document was read from or saved to; empty for a new document.
    const QString& pathName() const { return pathName_; }
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    // The autosave file, chosen on first use.
    QString autosavePath();
    static constexpr int kAutosaveInterval = 4;  // ticks of 30 seconds

  private:
    bool openContainer(const QString& path);
    // A document file that is really a standard MIDI file: says so and, when the user
    // agrees, imports it as a new, unsaved document.
    bool openMidiInDisguise(const QString& path);
    // The steps after an importer has read a file into the document: it has the file's
    // name as its title and, unless `keepPath`, no file of its own yet.
    bool imported(bool ok, const QString& path, bool keepPath = true);
    void setPath(const QString& path);
    void dropAutosavePath();
    void message(int id);
    void layOut();

    StorageSession& session_;
    IDocumentPrompts* prompts_;
    std::unique_ptr<CScore> score_;
    CPrinterSettings printer_;
    CUndoHistory history_;
    QString pathName_;
    QString title_;
    QString autosavePath_;
    int autosaveTicks_ = 0;
};

}  // namespace ks
