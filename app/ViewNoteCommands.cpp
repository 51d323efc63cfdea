// The note entry and editing commands of Music mode, as the view runs them: each calls
// the editing logic and refreshes what it changed.
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "edit/BarlineStyles.h"
#include "edit/EditTextIds.h"
#include "edit/GraceNotes.h"
#include "edit/MoveSelection.h"
#include "edit/NoteEntry.h"
#include "edit/NoteLength.h"
#include "edit/NoteMarks.h"
#include "edit/SelectionOps.h"
#include "edit/TextTyping.h"
#include "edit/Tuplets.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The note-length index each of the commands 32960..32969 makes current.
constexpr int kLengthOfCommand[10] = {0, 1, 2, 3, 4, 10, 5, 8, 11, 6};

constexpr int kAddGraceNoteLabel = 49064;
constexpr int kEditGraceNoteLabel = 49065;

bool inRange(int id, int first, int count) {
    return id >= first && id < first + count;
}

}  // namespace

std::optional<CommandState> CKeystaveView::noteCommandState(int id) const {
    const CScore& score = doc_.score();
    const CSelection& s = score.selection;
    const bool music = state_.mode == ViewMode::Music;
    const bool notes = music && !s.notes.empty();
    const bool track = music && score.trackOfPart(s.hand) >= 0;
    if (inRange(id, Cmd::NoteLength32nd, 10))
        return CommandState{true, currentNoteLength() == kLengthOfCommand[id - Cmd::NoteLength32nd],
                            true};
    if (inRange(id, Cmd::LeftBarline, 12)) {
        const bool left = id < Cmd::RightBarline;
        const int style = id - (left ? Cmd::LeftBarline : Cmd::RightBarline);
        const int bar = score.barAtTick(s.timestart);
        const CScoreBar& b = score.bar(bar);
        const bool enabled = music && bar < score.barCount() && !(left && bar == 0);
        return CommandState{enabled, enabled && (left ? b.styleLeft : b.styleRight) == style, true};
    }
    if (inRange(id, Cmd::Accent, 9) || id == Cmd::OrnamentUp || id == Cmd::OrnamentDown)
        return CommandState{notes};
    if (inRange(id, Cmd::TupletUp, 12)) return CommandState{music && s.mode == EditMode::Tuplet};
    switch (id) {
        case Cmd::InsertNote:
            return CommandState{track};
        case Cmd::NextNote:
        case Cmd::PreviousNote:
        case Cmd::StepLeftBarline:
        case Cmd::StepRightBarline:
        case Cmd::AnnotationFont:
            return CommandState{music};
        case Cmd::NotesToNextPart:
        case Cmd::NotesToPreviousPart:
        case Cmd::TransposeUp:
        case Cmd::TransposeDown:
        case Cmd::TransposeOctaveUp:
        case Cmd::TransposeOctaveDown:
            return CommandState{notes};
        case Cmd::ResetFingering:
            return CommandState{music && anyNoteMarkOffset(score)};
        case Cmd::AnnotationMode:
            return CommandState{music, s.mode == EditMode::Annotation, true};
        case Cmd::GraceNote: {
            const bool grace = s.mode == EditMode::Grace;
            CommandState state{
                music && (grace || (s.mode == EditMode::Notes && singleSelectedNote(score) >= 0)),
                grace, true};
            state.text = text(grace || selectedNoteHasGrace(score) ? kEditGraceNoteLabel
                                                                   : kAddGraceNoteLabel);
            return state;
        }
        case Cmd::LeaveGraceMode:
        case Cmd::RemoveGraceNote:
        case Cmd::GraceUp:
        case Cmd::GraceDown:
            return CommandState{music && s.mode == EditMode::Grace};
        case Cmd::LyricMode:
            return CommandState{
                music && (s.mode == EditMode::Lyric || (s.mode == EditMode::Notes && notes)),
                s.mode == EditMode::Lyric, true};
        case Cmd::ResetLyrics:
        case Cmd::LyricResetOffset:
            return CommandState{music && s.mode == EditMode::Lyric && lyricAtCursor(score)};
        case Cmd::PreviousLyricLine:
        case Cmd::NextLyricLine:
        case Cmd::LyricPreviousNote:
        case Cmd::LyricNextNote:
        case Cmd::LyricLeft:
        case Cmd::LyricRight:
            return CommandState{music && s.mode == EditMode::Lyric};
        case Cmd::ConvertTuplet:
            return CommandState{notes && s.mode == EditMode::Notes && !selectionIsOneTuplet(score)};
        case Cmd::EditTuplet:
            return CommandState{music &&
                                (s.mode == EditMode::Tuplet ||
                                 (s.mode == EditMode::Notes && selectionIsOneTuplet(score)))};
        case Cmd::EditDelete:
            return CommandState{music && (!s.notes.empty() || s.objects.size() == 1)};
        case Cmd::EditSelectAll:
            return CommandState{music && s.mode == EditMode::Notes};
        default:
            return std::nullopt;
    }
}

bool CKeystaveView::runNoteCommand(int id) {
    const std::optional<CommandState> state = noteCommandState(id);
    if (!state) return false;
    if (!state->enabled) return true;
    CScore& score = doc_.score();
    EditContext ctx{score, doc_.history()};
    const int32_t step = currentStep(score.ppqn);
    auto done = [this](EditOutcome outcome) { afterEdit(static_cast<int>(outcome)); };
    if (inRange(id, Cmd::NoteLength32nd, 10)) {
        setCurrentNoteLength(kLengthOfCommand[id - Cmd::NoteLength32nd]);
        return true;
    }
    if (inRange(id, Cmd::LeftBarline, 12)) {
        const bool left = id < Cmd::RightBarline;
        done(setBarlineStyle(ctx, left, id - (left ? Cmd::LeftBarline : Cmd::RightBarline)));
        return true;
    }
    if (inRange(id, Cmd::Accent, 7)) {
        static constexpr int32_t bits[] = {
            NoteMark::Accent, NoteMark::Staccato, 0x02, 0x04, 0x08, 0x10, 0x20};
        const NoteMarkOutcome out = toggleNoteMark(ctx, bits[id - Cmd::Accent]);
        if (out.message && showMessage) showMessage(out.message);
        done(out.outcome);
        return true;
    }
    switch (id) {
        case Cmd::InsertNote:
            done(insertNoteAtCursor(ctx, step));
            break;
        case Cmd::NextNote:
        case Cmd::PreviousNote:
            done(stepToNote(score, id == Cmd::NextNote ? +1 : -1));
            break;
        case Cmd::NotesToNextPart:
        case Cmd::NotesToPreviousPart:
            done(moveNotesToPart(ctx, id == Cmd::NotesToNextPart ? +1 : -1));
            break;
        case Cmd::TransposeUp:
        case Cmd::TransposeDown:
        case Cmd::TransposeOctaveUp:
        case Cmd::TransposeOctaveDown: {
            static constexpr int32_t offsets[] = {1, -1, 12, -12};
            done(moveSelection(ctx, 0, offsets[id - Cmd::TransposeUp], false));
            break;
        }
        case Cmd::StepLeftBarline:
        case Cmd::StepRightBarline:
            done(stepBarlineStyle(ctx, id == Cmd::StepLeftBarline));
            break;
        case Cmd::ClearOrnament:
        case Cmd::ClearAllOrnaments:
            done(clearNoteMarks(ctx, id == Cmd::ClearAllOrnaments));
            break;
        case Cmd::OrnamentUp:
        case Cmd::OrnamentDown:
            done(moveNoteMarks(ctx, id == Cmd::OrnamentUp ? +1 : -1));
            break;
        case Cmd::ResetFingering:
            done(resetNoteMarkOffsets(ctx));
            break;
        case Cmd::AnnotationMode:
            done(toggleAnnotationMode(score));
            break;
        case Cmd::AnnotationFont:
            chooseAnnotationFont();
            break;
        case Cmd::GraceNote:
            done(score.selection.mode == EditMode::Grace ? leaveGraceMode(score)
                                                         : enterGraceMode(ctx));
            if (helpPageRequested) helpPageRequested(QStringLiteral("EDITINGNOTES.HTM"));
            break;
        case Cmd::LeaveGraceMode:
            done(leaveGraceMode(score));
            break;
        case Cmd::RemoveGraceNote:
            done(removeGraceNote(ctx));
            break;
        case Cmd::GraceUp:
        case Cmd::GraceDown: {
            const bool octave = bool(hotKeyModifiers_ & Qt::ShiftModifier);
            done(changeGracePitch(ctx, (id == Cmd::GraceUp ? 1 : -1) * (octave ? 12 : 1)));
            break;
        }
        case Cmd::LyricMode: {
            const bool entering = score.selection.mode != EditMode::Lyric;
            done(toggleLyricMode(score));
            if (helpPageRequested)
                helpPageRequested(entering ? QStringLiteral("LYRICMODE.HTM")
                                           : QStringLiteral("EDITINGNOTES.HTM"));
            break;
        }
        case Cmd::ResetLyrics:
            if (selectionHasLyricOffsets(score) && askYesNo && askYesNo(StringId::AskResetLyrics))
                done(resetSelectionLyrics(ctx));
            break;
        case Cmd::LyricResetOffset:
            done(resetLyricOffset(ctx));
            break;
        case Cmd::PreviousLyricLine:
        case Cmd::NextLyricLine:
            done(lyricStepLine(score, id == Cmd::NextLyricLine ? +1 : -1));
            break;
        case Cmd::LyricPreviousNote:
        case Cmd::LyricNextNote:
            done(lyricStepNote(score, id == Cmd::LyricNextNote ? +1 : -1));
            break;
        case Cmd::LyricLeft:
        case Cmd::LyricRight:
            done(moveLyric(ctx, id == Cmd::LyricRight ? +1 : -1));
            break;
        case Cmd::ConvertTuplet:
            convertToTuplet();
            break;
        case Cmd::EditTuplet: {
            const bool entering = score.selection.mode != EditMode::Tuplet;
            done(toggleTupletMode(score));
            if (helpPageRequested)
                helpPageRequested(entering ? QStringLiteral("TRIPLETMODE.HTM")
                                           : QStringLiteral("EDITINGNOTES.HTM"));
            break;
        }
        case Cmd::TupletUp:
        case Cmd::TupletDown:
            done(tupletCursorPitch(score, id == Cmd::TupletUp ? +1 : -1));
            break;
        case Cmd::TupletLeft:
        case Cmd::TupletRight:
            done(tupletCursorSlot(score, id == Cmd::TupletRight ? +1 : -1));
            break;
        case Cmd::TupletTransposeUp:
        case Cmd::TupletTransposeDown: {
            const bool octave = bool(hotKeyModifiers_ & Qt::ShiftModifier);
            const CEventRef marker = score.selection.currentObject;
            const EditOutcome out = moveSelection(
                ctx, 0, (id == Cmd::TupletTransposeUp ? 1 : -1) * (octave ? 12 : 1), false);
            score.selection.currentObject = marker;
            done(out);
            break;
        }
        case Cmd::TupletMoveLeft:
        case Cmd::TupletMoveRight: {
            const CEventRef marker = score.selection.currentObject;
            const EditOutcome out =
                moveSelection(ctx, id == Cmd::TupletMoveRight ? step : -step, 0, false);
            score.selection.currentObject = marker;
            done(out);
            break;
        }
        case Cmd::TupletNextNote:
        case Cmd::TupletPreviousNote:
            done(tupletStepNote(score, id == Cmd::TupletNextNote ? +1 : -1));
            break;
        case Cmd::TupletInsert:
            done(tupletInsert(ctx));
            break;
        case Cmd::TupletDeleteAll:
            done(tupletDeleteAll(ctx));
            break;
        case Cmd::EditDelete:
            deleteSelection();
            break;
        case Cmd::EditSelectAll:
            done(selectAll(score));
            break;
        default:
            return false;
    }
    return true;
}

void CKeystaveView::deleteSelection() {
    EditContext ctx{doc_.score(), doc_.history()};
    const DeleteOutcome out = ks::deleteSelection(ctx);
    if (out.message && showMessage) showMessage(out.message);
    afterEdit(static_cast<int>(out.outcome));
}

void CKeystaveView::convertToTuplet() {
    CScore& score = doc_.score();
    EditContext ctx{score, doc_.history()};
    TupletQuestions questions;
    questions.noteCount = [this] { return askTupletCount ? askTupletCount() : 0; };
    questions.confirm = [this](int textId) { return askYesNo && askYesNo(textId); };
    const EditOutcome out = ks::convertToTuplet(ctx, questions);
    if (out != EditOutcome::Nothing && helpPageRequested)
        helpPageRequested(QStringLiteral("TRIPLETMODE.HTM"));
    afterEdit(static_cast<int>(out));
}

void CKeystaveView::chooseAnnotationFont() {
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    CEvent* picked =
        s.currentObject.track == kAnnotationTrackRef ? eventOf(score, s.currentObject) : nullptr;
    const CUserFont current = picked && picked->fontindex >= 0 &&
                                      picked->fontindex < static_cast<int>(score.userfonts.size())
                                  ? score.userfonts[static_cast<size_t>(picked->fontindex)]
                                  : score.font;
    const std::optional<CUserFont> chosen = chooseFont ? chooseFont(current) : std::nullopt;
    if (!chosen) return;
    doc_.history().Push(StringId::AnnotationEditing, UndoKind::Score, 0);
    if (picked) {
        // The font takes part in the events' order: the event is taken out and put back.
        CEvent changed = *eventOf(score, s.currentObject);
        changed.fontindex = score.findOrAddFont(*chosen);
        score.annotationTrack.events.removeAt(s.currentObject.index);
        s.currentObject.index = score.annotationTrack.events.Add(changed);
        s.objects = {s.currentObject};
    } else {
        score.font = *chosen;
    }
    scoreEdited();
}

void CKeystaveView::enterMidiNote(int key) {
    CScore& score = doc_.score();
    if (state_.mode != ViewMode::Music) return;
    CSelection& s = score.selection;
    s.pitchlo = s.pitchhi = std::clamp(key, 0, 127);
    EditContext ctx{score, doc_.history()};
    afterEdit(static_cast<int>(insertNoteAtCursor(ctx, currentStep(score.ppqn))));
}

}  // namespace ks
