#include "app/ChildFrame.h"

#include <QCloseEvent>

#include "app/DefaultSettings.h"
#include "app/DocumentLayout.h"
#include "app/DocumentOutput.h"
#include "app/DocumentReaders.h"
#include "app/GoToBarDialog.h"
#include "app/KeystaveView.h"
#include "app/MidiFileDialogs.h"
#include "app/OutputDialogs.h"
#include "app/PlaybackControl.h"
#include "app/ScoreEditCommands.h"
#include "app/UserInterface.h"
#include "edit/MusicXmlImportCommand.h"
#include "storage/KeystaveDoc.h"

namespace ks {

CChildFrame::CChildFrame(StorageSession& session, IUserInterface& ui, QWidget* parent)
    : QMdiSubWindow(parent), ui_(ui), doc_(std::make_unique<CKeystaveDoc>(session, &ui)) {
    setAttribute(Qt::WA_DeleteOnClose);
    doc_->hooks.applyDefaults = [](CScore& score, CPrinterSettings& printer) {
        applyDefaultSettings(score, printer);
    };
    doc_->hooks.layout = [this](CScore& score) {
        layOutDocument(score, doc_->printer());
        if (view_) view_->documentChanged();
    };
    doc_->hooks.stopPlayback = [this] { stopPlayback(); };
    installMidiImport(*doc_, ui_);
    installDocumentReaders(*doc_);
    doc_->hooks.importMusicXml = [this](CKeystaveDoc& target, const QString& path) {
        const MusicXmlOpen opened = importMusicXmlDocument(
            target, path, ui_,
            [](CScore& score, CPrinterSettings& printer) { applyDefaultSettings(score, printer); });
        return opened == MusicXmlOpen::Imported ? 1 : opened == MusicXmlOpen::Failed ? 0 : -1;
    };
    view_ = new CKeystaveView(*doc_, this);
    view_->togglePlayback = [this] { togglePlayback(); };
    view_->stopPlayback = [this] { stopPlayback(); };
    view_->showMessage = [this](int id) { ui_.showMessage(id, {}); };
    view_->askBarNumber = [this](int current, int count) -> std::optional<int> {
        CGotoBarDlg dialog(current, count, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.bar();
    };
    setWidget(view_);
    outputDialogs_ = std::make_unique<QtOutputDialogs>();
    outputDialogs_->setParentWidget(this);
    setOutputDialogs(*outputDialogs_);
    scoreCommands_ = std::make_unique<CScoreEditCommands>(
        *doc_, ui_, this, [this] { return view_->viewMode(); }, [this] { relayout(); });
}

void CChildFrame::setOutputDialogs(IOutputDialogs& dialogs) {
    output_ = std::make_unique<CDocumentOutput>(*doc_, ui_, dialogs, [this] { relayout(); });
}

CChildFrame::~CChildFrame() {
    // Playback reads nothing of the document once it is stopped.
    if (playback_) playback_->stop(&doc_->score());
    // The view refers to the document: it goes first.
    delete view_;
    view_ = nullptr;
}

void CChildFrame::newDocument() {
    doc_->newDocument();
    refreshTitle();
}

bool CChildFrame::openDocument(const QString& path) {
    if (!doc_->open(path)) return false;
    refreshTitle();
    return true;
}

bool CChildFrame::openRecovered(const QString& autosavePath) {
    if (!doc_->openRecovered(autosavePath)) return false;
    refreshTitle();
    return true;
}

void CChildFrame::relayout() {
    layOutDocument(doc_->score(), doc_->printer());
    view_->documentChanged();
}

void CChildFrame::refreshTitle() {
    const QString title = doc_->title() + QStringLiteral("[*]");
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(doc_->isModified());
}

void CChildFrame::autosaveTick() {
    doc_->autosaveTick();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!closing_ && !saveModified()) {
        event->ignore();
        return;
    }
    closing_ = true;
    doc_->close();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace ks
