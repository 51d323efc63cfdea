// The document view's modes and the commands of Music and Track select mode: changing
// the view mode, the cursor keys, choosing the part, Go to Bar and section markers.
#include <QKeyEvent>
#include <QScrollBar>

#include "app/CommandIds.h"
#include "app/DocumentLayout.h"
#include "app/KeystaveView.h"
#include "app/PlaybackControl.h"
#include "app/ViewModeRules.h"
#include "edit/CursorKeys.h"
#include "edit/EditModes.h"
#include "edit/NoteEntry.h"
#include "edit/NoteLength.h"
#include "edit/PartCommands.h"
#include "edit/SectionMarkerCommands.h"
#include "edit/SelectionOps.h"
#include "render/draw/MusicView.h"
#include "render/surface/RecordingSurface.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

bool musicEditMode(int32_t mode) {
    return mode >= EditMode::Notes && mode <= EditMode::TempoMark;
}

// Layout mode starts on a title item only when the page shows it.
void skipHiddenTitleItems(CScore& score) {
    CSelection& s = score.selection;
    const CDisplaySettings& p = score.prefs;
    if (s.layoutindex == -3 && (!p.showcopyright || score.copyright.isEmpty())) s.layoutindex = -2;
    if (s.layoutindex == -2 && !p.showtitle) s.layoutindex = -1;
    if (s.layoutindex == -1 && !p.showartist && !p.showsubtitle) s.layoutindex = 0;
}

}  // namespace

void CKeystaveView::setViewMode(int mode) {
    if (state_.mode == ViewMode::Blocked || mode == state_.mode) return;
    if (mode != ViewMode::Page && mode != ViewMode::Layout && mode != ViewMode::Music &&
        mode != ViewMode::TrackSelect)
        return;
    if (closePrintPreview) closePrintPreview();
    CScore& score = doc_.score();
    drag_ = Drag{};
    state_.mode = mode;
    if (mode == ViewMode::Page || mode == ViewMode::Layout) {
        state_.lines.clear();
        layOutDocument(score, doc_.printer());
        if (mode == ViewMode::Layout) {
            setEditMode(score, EditMode::LayoutLine);
            skipHiddenTitleItems(score);
        }
    } else {
        layOutViewLines();
        if (mode == ViewMode::Music) {
            if (!musicEditMode(score.selection.mode)) setEditMode(score, EditMode::Notes);
            if (score.selection.mode == EditMode::Notes) selectAtCursor(score, false);
        } else {
            setEditMode(score, EditMode::TrackSelect);
        }
    }
    state_.page = std::clamp(state_.page, 0, pageCount() - 1);
    // Music mode shows the size cursor over the ends of wedges.
    viewport()->setMouseTracking(mode == ViewMode::Music);
    updateScrollBars();
    overlay_ = currentOverlay();
    if (mode == ViewMode::Music) {
        ensureCursorVisible();
        if (playback_) playback_->listenToMidiInput();
    }
    if (helpPageRequested) helpPageRequested(helpPageFor(mode));
    if (viewModeChanged) viewModeChanged(mode);
    viewport()->update();
}

std::optional<CommandState> CKeystaveView::musicCommandState(int id) const {
    const CScore& score = doc_.score();
    const bool music = state_.mode == ViewMode::Music;
    const bool trackSelect = state_.mode == ViewMode::TrackSelect;
    if (id >= Cmd::ChoosePart1 && id < Cmd::ChoosePart1 + kPartCount) {
        const int part = id - Cmd::ChoosePart1;
        return CommandState{partHasTrack(score, part), score.selection.hand == part, true};
    }
    switch (id) {
        case Cmd::MusicMode:
            return CommandState{true, music, true};
        case Cmd::TrackSelectMode:
            return CommandState{true, trackSelect, true};
        case Cmd::NextPart:
        case Cmd::PreviousPart:
        case Cmd::SectionMarker:
            return CommandState{music};
        case Cmd::PreviousTrack:
        case Cmd::NextTrack:
            return CommandState{trackSelect};
        case Cmd::GoToBar:
            return CommandState{score.barCount() > 0};
        default:
            return std::nullopt;
    }
}

bool CKeystaveView::runMusicCommand(int id) {
    CScore& score = doc_.score();
    if (id >= Cmd::ChoosePart1 && id < Cmd::ChoosePart1 + kPartCount) {
        if (choosePart(score, id - Cmd::ChoosePart1)) selectionChanged();
        return true;
    }
    switch (id) {
        case Cmd::MusicMode:
            setViewMode(ViewMode::Music);
            return true;
        case Cmd::TrackSelectMode:
            setViewMode(ViewMode::TrackSelect);
            return true;
        case Cmd::NextPart:
        case Cmd::PreviousPart:
            if (state_.mode == ViewMode::Music && stepPart(score, id == Cmd::NextPart ? +1 : -1))
                selectionChanged();
            return true;
        case Cmd::SectionMarker:
            if (state_.mode == ViewMode::Music) toggleSectionMarker();
            return true;
        case Cmd::PreviousTrack:
        case Cmd::NextTrack: {
            CSelection& s = score.selection;
            const int next = std::clamp(s.selecttrack + (id == Cmd::NextTrack ? 1 : -1), 0,
                                        std::max(score.trackCount() - 1, 0));
            if (next != s.selecttrack) {
                s.selecttrack = next;
                viewport()->update();
            }
            return true;
        }
        case Cmd::GoToBar:
            goToBar();
            return true;
        default:
            return false;
    }
}

void CKeystaveView::afterEdit(int outcome) {
    switch (static_cast<EditOutcome>(outcome)) {
        case EditOutcome::Nothing:
            viewport()->update();  // drag offsets and rubber bands go
            break;
        case EditOutcome::Selection:
            selectionChanged();
            break;
        case EditOutcome::Score:
        case EditOutcome::ScoreLengthened:
            scoreEdited();
            break;
    }
}

void CKeystaveView::toggleSectionMarker() {
    EditContext ctx{doc_.score(), doc_.history()};
    const MarkerOutcome out = ks::toggleSectionMarker(ctx);
    if (out.message && showMessage) showMessage(out.message);
    if (out.changed) scoreEdited();
}

void CKeystaveView::goToBar() {
    CScore& score = doc_.score();
    const int count = score.barCount();
    if (count <= 0) return;
    const int current = cursorBarNumber(score);
    const std::optional<int> typed = askBarNumber ? askBarNumber(current, count) : std::nullopt;
    if (!typed) return;
    const int bar = clampedBarNumber(*typed, count) - 1;
    switch (state_.mode) {
        case ViewMode::Page: {
            const CScoreBar& b = score.bar(bar);
            setPage(score.line(b.line).page);
            break;
        }
        case ViewMode::Layout: {
            const int line = score.bar(bar).line;
            if (line >= 0 && line != score.selection.layoutindex) {
                score.selection.layoutindex = line;
                const CScoreLine& l = score.line(line);
                if (l.page != state_.page) setPage(l.page);
                viewport()->update();
            }
            break;
        }
        case ViewMode::Music:
            goToBarInMusic(score, bar + 1, currentStep(score.ppqn));
            selectionChanged();
            break;
        case ViewMode::TrackSelect:
            if (stopPlayback) stopPlayback();
            score.playbackCursor = score.playbackMap.ScoreToPlay(score.barStart(bar));
            if (ensurePlaybackCursorVisible()) viewport()->update();
            refreshPlaybackOverlay();
            emit playbackCursorMoved();
            break;
        default:
            break;
    }
}

bool CKeystaveView::musicKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    const bool shift = m & Qt::ShiftModifier, ctrl = m & Qt::ControlModifier;
    if (m & Qt::AltModifier) return false;
    if (state_.mode == ViewMode::TrackSelect) {
        if (ctrl || shift) return false;
        if (event->key() == Qt::Key_Up) return runMusicCommand(Cmd::PreviousTrack);
        if (event->key() == Qt::Key_Down) return runMusicCommand(Cmd::NextTrack);
        return false;
    }
    if (state_.mode != ViewMode::Music) return false;
    std::optional<CursorKey> key;
    switch (event->key()) {
        case Qt::Key_Left:
            key = CursorKey::Left;
            break;
        case Qt::Key_Right:
            key = CursorKey::Right;
            break;
        case Qt::Key_Up:
            key = CursorKey::Up;
            break;
        case Qt::Key_Down:
            key = CursorKey::Down;
            break;
        case Qt::Key_Home:
            key = CursorKey::Home;
            break;
        case Qt::Key_End:
            key = CursorKey::End;
            break;
        // Keys of the built-in hot key table that this view's commands answer.
        case Qt::Key_PageDown:
            return !ctrl && !shift && runMusicCommand(Cmd::NextPart);
        case Qt::Key_PageUp:
            return !ctrl && !shift && runMusicCommand(Cmd::PreviousPart);
        case Qt::Key_M:
            if (ctrl || shift || doc_.score().selection.mode != EditMode::Notes) return false;
            return runMusicCommand(Cmd::SectionMarker);
        default:
            return false;
    }
    CScore& score = doc_.score();
    CursorKeyContext ctx{{score, doc_.history()}, currentStep(score.ppqn), {}};
    ctx.changeNoteLengths = [&score, this](int32_t amount) {
        EditContext edit{score, doc_.history()};
        return changeNoteLengths(edit, amount);
    };
    afterEdit(static_cast<int>(cursorKey(ctx, *key, shift, ctrl)));
    return true;
}

}  // namespace ks
