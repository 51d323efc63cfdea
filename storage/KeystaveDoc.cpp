#include "storage/KeystaveDoc.h"

#include <QFile>
#include <QFileInfo>

#include "model/TextTable.h"
#include "storage/AutosaveLog.h"
#include "storage/DocumentPrompts.h"
#include "storage/FileKind.h"
#include "storage/ScoreReader.h"
#include "storage/StorageSession.h"
#include "storage/StorageTextIds.h"

namespace ks {

namespace {

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// Derived data a read score needs before it is shown: its bars, chords and beams.
void rebuildDerived(CScore& score) {
    score.rebuildBars();
    score.rebuildAllTracks();
}

// A score read from a file before it replaces the document's: the zoom is the document
// window's, not the file's, and the derived data is built.
void prepareReadScore(CScore& score, int32_t windowZoom) {
    score.prefs.zoom = windowZoom;
    rebuildDerived(score);
}

}  // namespace

QString CKeystaveDoc::savedName(const QString& path) {
    const QString extension = extensionOf(path);
    if (extension == u"ksv" || extension == u"tpm") return path;
    const QString name = QFileInfo(path).fileName();
    if (!name.contains(u'.')) return path + QStringLiteral(".ksv");
    return path.left(path.size() - QFileInfo(path).suffix().size()) + QStringLiteral("ksv");
}

CKeystaveDoc::CKeystaveDoc(StorageSession& session, IDocumentPrompts* prompts)
    : session_(session),
      prompts_(prompts),
      score_(std::make_unique<CScore>()),
      history_(score_.get()),
      title_(text(StringId::Untitled)) {
    history_.stopPlayback = [this] {
        if (hooks.stopPlayback) hooks.stopPlayback();
    };
    history_.refresh = [this](int32_t, int32_t) { layOut(); };
}

CKeystaveDoc::~CKeystaveDoc() {
    releaseAutosavePath(autosavePath_);
}

void CKeystaveDoc::message(int id) {
    if (prompts_) prompts_->showMessage(id, {});
}

void CKeystaveDoc::layOut() {
    if (hooks.layout) hooks.layout(*score_);
}

void CKeystaveDoc::setPath(const QString& path) {
    pathName_ = path;
    title_ = QFileInfo(path).fileName();
}

void CKeystaveDoc::dropAutosavePath() {
    releaseAutosavePath(autosavePath_);
    autosavePath_.clear();
}

void CKeystaveDoc::adoptScore(std::unique_ptr<CScore> score, const CPrinterSettings& printer) {
    if (!score) return;
    score_ = std::move(score);
    printer_ = printer;
    history_.setScore(score_.get());
    autosaveTicks_ = 0;
}

void CKeystaveDoc::newDocument() {
    auto score = std::make_unique<CScore>();
    CPrinterSettings printer;
    // The content first: it starts from a reset, which would clear the default titles.
    score->makeNewDocument();
    if (hooks.applyDefaults) hooks.applyDefaults(*score, printer);
    score->prefs.key = -1;  // no key at bar 0 until one is set
    adoptScore(std::move(score), printer);
    pathName_.clear();
    title_ = text(StringId::Untitled);
    dropAutosavePath();
    layOut();
}

bool CKeystaveDoc::open(const QString& path) {
    const QString extension = extensionOf(path);
    if (extension == u"ksv" || extension == u"tpm" || extension == u"autosave") {
        // Told apart before the container is opened: a MIDI file is no archive at all.
        if (looksLikeMidiFile(path)) return openMidiInDisguise(path);
        return openContainer(path);
    }
    for (const DocumentImporter& importer : hooks.importers)
        if (importer.recognises && importer.read && importer.recognises(path))
            return imported(importer.read(*this, path), path);
    if (extension == u"mid" || extension == u"smf") {
        if (!hooks.importMidi) {
            message(StringId::InvalidFileType);
            return false;
        }
        return imported(hooks.importMidi(*this, path), path);
    }
    if (hooks.importMusicXml &&
        (extension == u"mxl" || extension == u"musicxml" || extension == u"xml")) {
        const int outcome = hooks.importMusicXml(*this, path);
        if (outcome == 0) return false;
        if (outcome > 0) return imported(true, path);
    }
    if (extension == u"mxl") return false;  // refused without a message
    message(StringId::InvalidFileType);
    return false;
}

bool CKeystaveDoc::imported(bool ok, const QString& path, bool keepPath) {
    if (!ok) return false;
    history_.MarkModified();
    setPath(path);
    if (!keepPath) pathName_.clear();
    dropAutosavePath();
    score_->selection.hand = score_->firstShownPart();
    layOut();
    return true;
}

bool CKeystaveDoc::openMidiInDisguise(const QString& path) {
    if (!hooks.importMidi || !prompts_) {
        message(StringId::MidiFileNotDocument);
        return false;
    }
    if (!prompts_->askYesNo(StringId::MidiFileImportQuestion, {})) return false;
    // Saving asks for a name: the MIDI file is never overwritten by a document.
    return imported(hooks.importMidi(*this, path), path, false);
}

bool CKeystaveDoc::importBareDocument(const QString& path) {
    auto score = std::make_unique<CScore>();
    CPrinterSettings printer;
    const ReadResult result = readAnyScoreFile(path, *score, &printer);
    if (!result.ok) {
        if (result.messageId != 0) message(result.messageId);
        return false;
    }
    prepareReadScore(*score, score_->prefs.zoom);
    adoptScore(std::move(score), printer);
    return true;
}

bool CKeystaveDoc::openContainer(const QString& path) {
    auto score = std::make_unique<CScore>();
    CPrinterSettings printer;
    const ContainerReadResult result = readContainer(path, *score, &printer);
    if (!result.ok) {
        if (result.readerMessage != 0) message(result.readerMessage);
        message(StringId::ErrorLoadingFile);
        return false;
    }
    prepareReadScore(*score, score_->prefs.zoom);
    adoptScore(std::move(score), printer);
    score_->selection.hand = score_->firstShownPart();
    setPath(path);
    dropAutosavePath();
    layOut();
    return true;
}

bool CKeystaveDoc::save(const QString& path) {
    const QString target = savedName(path);
    ContainerWriteOptions options;
    options.fault = hooks.saveFault;
    const ContainerWriteResult result = writeContainer(target, *score_, printer_, options);
    session_.addBackup(result.backup);
    if (!result.ok) {
        // The file on disk still holds the previous version.
        if (result.targetExisted) message(StringId::ErrorSavingFile);
        return false;
    }
    history_.MarkSaved();
    // The autosave of the state before this save is out of date: it is no longer offered
    // for recovery, and the next autosave picks a name from the (new) title.
    if (!autosavePath_.isEmpty()) {
        QFile::remove(autosavePath_);
        AutosaveLog::append(AutosaveTag::SaveAs, autosavePath_);
        dropAutosavePath();
    }
    setPath(target);
    return true;
}

bool CKeystaveDoc::saveAs() {
    CScore& s = *score_;
    const bool inLibrary = s.internetID != 0 || !s.filehash.isEmpty();
    if (inLibrary && (!prompts_ || !prompts_->askYesNo(StringId::OnlineLibrarySaveAs, {})))
        return false;
    const QString proposed = savedName(pathName_.isEmpty() ? title_ : pathName_);
    const QString path = prompts_ ? prompts_->chooseSavePath(proposed) : QString();
    if (path.isEmpty()) return false;
    // The copy under another name is no longer the library's file; the document keeps
    // its place in the library when the save does not happen.
    const int32_t internetID = s.internetID;
    const QString filehash = s.filehash;
    s.internetID = 0;
    s.filehash.clear();
    if (save(path)) return true;
    s.internetID = internetID;
    s.filehash = filehash;
    return false;
}

void CKeystaveDoc::close() {
    if (hooks.stopPlayback) hooks.stopPlayback();
    if (!autosavePath_.isEmpty()) AutosaveLog::append(AutosaveTag::Close, autosavePath_);
    dropAutosavePath();
}

QString CKeystaveDoc::autosavePath() {
    if (autosavePath_.isEmpty()) autosavePath_ = reserveAutosavePath(title_);
    return autosavePath_;
}

bool CKeystaveDoc::autosaveTick() {
    if (++autosaveTicks_ < kAutosaveInterval) return false;
    autosaveTicks_ = 0;
    if (!isModified()) return false;
    const QString path = autosavePath();
    AutosaveLog::append(AutosaveTag::Auto, path);
    ContainerWriteOptions options;
    options.backup = false;
    options.fault = hooks.saveFault;
    const bool written = writeContainer(path, *score_, printer_, options).ok;
    if (prompts_) prompts_->showStatus(text(StringId::AutoSaveStatus) + title_);
    return written;
}

bool CKeystaveDoc::openRecovered(const QString& path) {
    if (!openContainer(path)) return false;
    // The document carries its old title and has no file yet: saving asks for a name.
    pathName_.clear();
    title_ = titleOfAutosavePath(path);
    // Its next autosave replaces the file it came from rather than adding another.
    autosavePath_ = path;
    history_.MarkModified();
    return true;
}

ContainerReadResult CKeystaveDoc::readIntoSeparateScore(const QString& path, CScore& score,
                                                        CPrinterSettings* printer) {
    const QString name = QStringLiteral("~KSV-ZIP3");
    ContainerReadResult result = readContainer(path, score, printer, name, name);
    if (result.ok) rebuildDerived(score);
    return result;
}

}  // namespace ks
