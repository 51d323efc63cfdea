// The document's commands of a document window: saving, undo and redo, the default
// settings, the paper colour, the display settings and the MIDI export.
#include <QDir>
#include <QFileInfo>

#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/DefaultSettings.h"
#include "app/DisplaySettingsDialog.h"
#include "app/DocumentLayout.h"
#include "app/DocumentOutput.h"
#include "app/KeystaveView.h"
#include "app/ScoreEditCommands.h"
#include "app/OnlineTextIds.h"
#include "app/UploadCommand.h"
#include "app/UserInterface.h"
#include "edit/LayoutModeCommands.h"
#include "edit/MidiExportCommand.h"
#include "model/TextFormat.h"
#include "edit/MusicXmlExportCommand.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/TextTable.h"
#include "render/ColourScheme.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The Layout-mode commands on lines, by command id.
std::optional<LayoutCommand> layoutCommandFor(int id) {
    switch (id) {
        case Cmd::LayoutIncreaseBars:
            return LayoutCommand::IncreaseBarsInLine;
        case Cmd::LayoutDecreaseBars:
            return LayoutCommand::DecreaseBarsInLine;
        case Cmd::LayoutLengthenLine:
            return LayoutCommand::LengthenLine;
        case Cmd::LayoutShortenLine:
            return LayoutCommand::ShortenLine;
        case Cmd::LayoutResetBars:
            return LayoutCommand::ResetBarsInLine;
        case Cmd::LayoutResetStaves:
            return LayoutCommand::ResetStavePositions;
        case Cmd::LayoutResetAll:
            return LayoutCommand::ResetAllLayout;
        case Cmd::LayoutAutoSpace:
            return LayoutCommand::AutoSpaceLines;
        case Cmd::LayoutResetAndAutoSpace:
            return LayoutCommand::ResetAndAutoSpace;
        case Cmd::LayoutAutoFirstLine:
            return LayoutCommand::AutoAdjustFirstLine;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<CommandState> CChildFrame::commandState(int id) {
    if (auto state = output_->commandState(id)) return state;
    if (std::optional<CommandState> state = playbackCommandState(id)) return state;
    if (std::optional<CommandState> state = scoreCommands_->commandState(id)) return state;
    if (layoutCommandFor(id))
        return CommandState{view_->viewMode() == ViewMode::Layout && !doc_->score().lines.empty()};
    switch (id) {
        case Cmd::FileSave:
        case Cmd::FileSaveAs:
        case Cmd::FileClose:
        case Cmd::UseDefaultSettings:
        case Cmd::SaveSettingsAsDefault:
        case Cmd::DisplaySettings:
        case Cmd::ExportMidi:
        case Cmd::ExportMusicXml:
        case Cmd::UploadToLibrary:
        case Cmd::ReviewInLibrary:
            return CommandState{};
        case Cmd::PaperColour:
            return CommandState{view_->viewMode() == ViewMode::Page};
        case Cmd::RemoveSavedSettings:
            return CommandState{defaultSettingsExist()};
        case Cmd::EditUndo: {
            const UndoMenuText menu = doc_->history().undoMenuText();
            return CommandState{menu.enabled, false, false, menu.text};
        }
        case Cmd::EditRedo: {
            const UndoMenuText menu = doc_->history().redoMenuText();
            return CommandState{menu.enabled, false, false, menu.text};
        }
        default:
            return std::nullopt;
    }
}

void CChildFrame::runCommand(int id) {
    // Printing and exporting read the whole score: playback stops first. Music and Track
    // select mode keep the bars in the long line's positions: the pages are laid out
    // again for the output, and the view's lines afterwards.
    const bool output = output_->commandState(id).has_value();
    if (output) {
        stopPlayback();
        if (view_->viewMode() == ViewMode::Music || view_->viewMode() == ViewMode::TrackSelect)
            layOutDocument(doc_->score(), doc_->printer());
    }
    const bool done = output_->runCommand(id) || runPlaybackCommand(id);
    if (output) view_->documentChanged();
    if (done) {
        refreshTitle();
        return;
    }
    if (scoreCommands_->commandState(id)) {
        scoreCommands_->runCommand(id);
        refreshTitle();
        return;
    }
    if (const std::optional<LayoutCommand> command = layoutCommandFor(id)) {
        CScore& score = doc_->score();
        const int lines = static_cast<int>(score.lines.size());
        if (lines == 0) return;
        LayoutCommandContext context{score, doc_->history(), ui_, documentPage(doc_->printer()),
                                     std::clamp(score.selection.layoutindex, 0, lines - 1)};
        if (runLayoutCommand(*command, context)) view_->documentChanged();
        refreshTitle();
        return;
    }
    switch (id) {
        case Cmd::FileSave:
            save();
            break;
        case Cmd::FileSaveAs:
            saveAs();
            break;
        case Cmd::FileClose:
            close();
            return;  // the window may be gone
        case Cmd::EditUndo:
            doc_->history().Undo();
            break;
        case Cmd::EditRedo:
            doc_->history().Redo();
            break;
        case Cmd::UseDefaultSettings:
            useDefaultSettings();
            break;
        case Cmd::SaveSettingsAsDefault:
            saveSettingsAsDefault();
            break;
        case Cmd::RemoveSavedSettings:
            removeSavedSettings();
            break;
        case Cmd::PaperColour:
            setPaperColour();
            break;
        case Cmd::DisplaySettings:
            displaySettings();
            break;
        case Cmd::ExportMidi:
            exportMidi();
            break;
        case Cmd::ExportMusicXml:
            exportMusicXml();
            break;
        case Cmd::UploadToLibrary:
        case Cmd::ReviewInLibrary: {
            stopPlayback();
            UploadCommand command(*doc_, ui_, [this] { return save(); });
            if (uploadWait) command.waitForRegistration = uploadWait;
            if (id == Cmd::ReviewInLibrary) {
                command.review();
            } else {
                command.upload();
                view_->viewport()->update();
            }
            break;
        }
        default:
            break;
    }
    refreshTitle();
}

bool CChildFrame::save() {
    const QString path = doc_->pathName();
    // A new document asks for a name; any other is saved under its own name (as a
    // ".ksv" beside it when it came from another kind of file).
    if (path.isEmpty()) return saveAs();
    const QString target = CKeystaveDoc::savedName(path);
    const bool beside = target != path;
    // A ".ksv" already beside an imported file is another document: ask as Save As does.
    if (beside && QFileInfo::exists(target)) return saveAs();
    if (!doc_->save(path)) return false;
    // Where the file went is no surprise: the status bar names it.
    if (beside) ui_.showStatus(formatText(text(StringId::SavedAs), {doc_->pathName()}));
    if (pathChanged) pathChanged(doc_->pathName());
    return true;
}

bool CChildFrame::saveAs() {
    if (!doc_->saveAs()) return false;
    if (pathChanged) pathChanged(doc_->pathName());
    return true;
}

bool CChildFrame::saveModified() {
    if (!doc_->isModified()) return true;
    switch (ui_.askSaveChanges(doc_->title())) {
        case SaveAnswer::Save:
            return save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

void CChildFrame::useDefaultSettings() {
    if (!ui_.askYesNo(StringId::ApplyDefaultSettingsQuestion,
                      {text(StringId::ApplyDefaultSettings)}))
        return;
    doc_->history().Push(StringId::ApplyDefaultSettings, UndoKind::Settings);
    applyDefaultSettingsKeepingMusic(doc_->score(), doc_->printer());
    relayout();
}

void CChildFrame::saveSettingsAsDefault() {
    if (!ui_.askYesNo(StringId::SaveSettingsAsDefaultQuestion, {})) return;
    if (!saveDefaultSettings(doc_->score(), doc_->printer()))
        ui_.showMessage(StringId::DefaultsNotSaved, {});
}

void CChildFrame::removeSavedSettings() {
    if (removeDefaultSettings()) ui_.showMessage(StringId::SavedSettingsRemoved, {});
}

void CChildFrame::setPaperColour() {
    CDisplaySettings& prefs = doc_->score().prefs;
    const std::optional<QColor> colour =
        ui_.chooseColour(colourFromRef(prefs.paper), text(StringId::SetPaperColour));
    if (!colour) return;
    const int32_t value = refFromColour(*colour);
    if (value == prefs.paper && value == prefs.margin) return;
    doc_->history().Push(StringId::SetPaperColour, UndoKind::Settings);
    prefs.paper = value;
    prefs.margin = value;
    view_->documentChanged();
}

void CChildFrame::exportMidi() {
    stopPlayback();
    // The document's name with ".mid" is proposed.
    const QFileInfo info(doc_->pathName().isEmpty() ? doc_->title() : doc_->pathName());
    const QString proposed = info.dir().filePath(info.completeBaseName() + QStringLiteral(".mid"));
    const QString path =
        ui_.chooseExportPath(proposed, text(StringId::MidiFileFilter), QStringLiteral("mid"));
    if (!path.isEmpty()) exportMidiDocument(doc_->score(), path, ui_);
}

void CChildFrame::exportMusicXml() {
    stopPlayback();
    const QString path =
        ui_.chooseExportPath(proposedMusicXmlPath(doc_->pathName(), doc_->title()),
                             text(MusicXmlStringId::ExportFilter), QStringLiteral("xml"));
    if (!path.isEmpty())
        exportMusicXmlDocument(doc_->score(), documentPage(doc_->printer()), path, ui_);
}

void CChildFrame::displaySettings() {
    stopPlayback();
    view_->setViewMode(ViewMode::Page);
    CDisplaySettingsDialog dialog(
        *doc_, [this] { relayout(); }, this);
    dialog.exec();
}

}  // namespace ks
