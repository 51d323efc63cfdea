#include "app/ChildFrame.h"

#include <QCloseEvent>
#include <QFontDialog>
#include <QInputDialog>

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
#include "edit/EditTextIds.h"
#include "edit/MusicXmlImportCommand.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The font dialog over a stored font record: the face, style and weight as they are,
// the size in points from the record's character height (tenths of a point).
std::optional<CUserFont> chooseUserFont(const CUserFont& current, QWidget* parent) {
    QFont font(current.name);
    font.setPointSize(std::max(1, std::abs(current.size) / 10));
    font.setItalic(current.italic);
    font.setUnderline(current.underline);
    font.setStrikeOut(current.strikeout);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(current.weight, 100, 900)));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (!ok) return std::nullopt;
    CUserFont result = current;
    result.name = chosen.family();
    result.size = -10 * std::max(chosen.pointSize(), 1);
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikeout = chosen.strikeOut();
    result.weight = static_cast<int32_t>(chosen.weight());
    return result;
}

}  // namespace

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
    view_->askYesNo = [this](int textId) { return ui_.askYesNo(textId, {}); };
    view_->askTupletCount = [this] {
        bool ok = false;
        const int n = QInputDialog::getInt(this, text(StringId::TupletDialogTitle),
                                           text(StringId::TupletDialogPrompt), 3, 0, 64, 1, &ok);
        return ok ? n : 0;
    };
    view_->chooseFont = [this](const CUserFont& current) -> std::optional<CUserFont> {
        return chooseUserFont(current, this);
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
