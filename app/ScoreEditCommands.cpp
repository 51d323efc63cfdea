#include "app/ScoreEditCommands.h"

#include "app/CommandIds.h"
#include "app/ScoreDialogs.h"
#include "app/UserInterface.h"
#include "edit/ScoreCommands.h"
#include "edit/TidyCommands.h"
#include "model/NoteOperations.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

bool isScoreCommand(int id) {
    switch (id) {
        case Cmd::InsertBarBefore:
        case Cmd::InsertBarAfter:
        case Cmd::DeleteBar:
        case Cmd::CropToBars:
        case Cmd::CropToNotes:
        case Cmd::RemoveOverlaps:
        case Cmd::ExtendNotes:
        case Cmd::ShortenNotes:
        case Cmd::TransposeTracks:
        case Cmd::AddTrack:
        case Cmd::DeleteTrack:
        case Cmd::SplitTrack:
        case Cmd::MergeTracks:
        case Cmd::MakePhrase:
        case Cmd::RemovePhrase:
        case Cmd::FlipStems:
        case Cmd::AllocateNone:
        case Cmd::AutoNoteLength:
        case Cmd::ScoreSettings:
        case Cmd::LyricSettings:
            return true;
        default:
            return id >= Cmd::AllocateRightHand && id < Cmd::AllocateRightHand + kPartCount;
    }
}

// The tick of the first selected note, or the cursor when none is selected.
int32_t cursorNoteTime(const CScore& score, const std::vector<int>& notes) {
    const int track = score.trackOfPart(score.selection.hand);
    if (track < 0 || notes.empty()) return score.selection.timestart;
    return score.track(track).notes.at(notes.front()).time;
}

}  // namespace

CScoreEditCommands::CScoreEditCommands(CKeystaveDoc& doc, IUserInterface& ui, QWidget* parent,
                                       std::function<int()> viewMode,
                                       std::function<void()> relayout)
    : doc_(doc),
      ui_(ui),
      viewMode_(std::move(viewMode)),
      relayout_(std::move(relayout)),
      ownDialogs_(std::make_unique<QtScoreDialogs>(parent)),
      dialogs_(ownDialogs_.get()) {}

CScoreEditCommands::~CScoreEditCommands() = default;

std::optional<CommandState> CScoreEditCommands::commandState(int id) {
    if (!isScoreCommand(id)) return std::nullopt;
    const CScore& score = doc_.score();
    const bool music = viewMode_ && viewMode_() == ViewMode::Music;
    const int tracks = score.trackCount();
    const int current = score.trackOfPart(score.selection.hand);
    const bool highlighted =
        score.selection.selecttrack >= 0 && score.selection.selecttrack < tracks;
    switch (id) {
        case Cmd::InsertBarBefore:
        case Cmd::InsertBarAfter:
            return CommandState{music};
        case Cmd::DeleteBar:
        case Cmd::CropToBars:
            return CommandState{music && score.barCount() > 0};
        case Cmd::CropToNotes:
            return CommandState{music && !selectedNotes(score).empty()};
        case Cmd::TransposeTracks:
        case Cmd::DeleteTrack:
        case Cmd::SplitTrack:
            return CommandState{tracks > 0};
        case Cmd::MergeTracks:
            return CommandState{tracks > 1};
        case Cmd::MakePhrase:
        case Cmd::FlipStems:
        case Cmd::AutoNoteLength:
            return CommandState{current >= 0 && !selectedNotes(score).empty()};
        case Cmd::RemovePhrase:
            return CommandState{current >= 0 &&
                                phraseStartingAt(score.track(current),
                                                 cursorNoteTime(score, selectedNotes(score))) >= 0};
        case Cmd::AllocateNone:
            return CommandState{highlighted};
        default:
            if (id >= Cmd::AllocateRightHand && id < Cmd::AllocateRightHand + kPartCount)
                return CommandState{
                    highlighted,
                    score.partOfTrack(score.selection.selecttrack) == id - Cmd::AllocateRightHand,
                    true};
            return CommandState{};
    }
}

void CScoreEditCommands::runCommand(int id) {
    if (!isScoreCommand(id)) return;
    const std::optional<CommandState> state = commandState(id);
    if (!state || !state->enabled) return;
    if (run(id) && relayout_) relayout_();
}

bool CScoreEditCommands::run(int id) {
    CScore& score = doc_.score();
    ScoreCommandContext c{score, doc_.history(), ui_};
    const CSelection& sel = score.selection;
    const int current = score.trackOfPart(sel.hand);
    switch (id) {
        case Cmd::InsertBarBefore:
            return runInsertBar(c, score.barAtTick(sel.timestart));
        case Cmd::InsertBarAfter:
            return runInsertBar(c,
                                std::min(score.barAtTick(sel.timeend - 1) + 1, score.barCount()));
        case Cmd::DeleteBar:
            return runDeleteBar(c, score.barAtTick(sel.timestart));
        case Cmd::CropToBars:
            return runCropToBars(c, score.barAtTick(sel.timestart), score.barAtTick(sel.timeend));
        case Cmd::CropToNotes:
            return runCropToNotes(c, score.barAtTick(sel.timestart), score.barAtTick(sel.timeend),
                                  current, selectedNotes(score));
        case Cmd::RemoveOverlaps:
            return runTidyCommand(TidyCommand::RemoveOverlaps, score, doc_.history(), ui_);
        case Cmd::ExtendNotes:
            return runTidyCommand(TidyCommand::ExtendNotes, score, doc_.history(), ui_);
        case Cmd::ShortenNotes:
            return runTidyCommand(TidyCommand::ShortenNotes, score, doc_.history(), ui_);
        case Cmd::TransposeTracks: {
            const std::optional<TransposeChoice> choice = dialogs_->chooseTranspose();
            return choice && runTranspose(c, choice->amount, choice->allTracks, current);
        }
        case Cmd::AddTrack: {
            const std::optional<NewTrackChoice> choice = dialogs_->chooseNewTrack();
            return choice && runAddTrack(c, choice->title, choice->part);
        }
        case Cmd::DeleteTrack: {
            const std::optional<int> track = dialogs_->chooseTrackToDelete(score);
            return track && runDeleteTrack(c, *track);
        }
        case Cmd::MergeTracks: {
            const std::optional<MergeChoice> choice = dialogs_->chooseMerge(score);
            return choice && runMergeTracks(c, choice->first, choice->second, choice->part);
        }
        case Cmd::SplitTrack: {
            const std::optional<SplitRequest> request = dialogs_->chooseSplit(score, sel.pitchlo);
            return request && runSplitTrack(c, *request);
        }
        case Cmd::MakePhrase:
            return runMakePhrase(c, current, selectedNotes(score));
        case Cmd::RemovePhrase:
            return runRemovePhrase(c, current, cursorNoteTime(score, selectedNotes(score)));
        case Cmd::FlipStems:
            return runFlipStems(c, current, selectedNotes(score));
        case Cmd::AutoNoteLength:
            return runAutoNoteLength(c, current, selectedNotes(score));
        case Cmd::AllocateNone:
            runAllocateTrack(score, sel.selecttrack, -1);
            return true;
        case Cmd::ScoreSettings:
            dialogs_->scoreSettings(score, doc_.history(), relayout_);
            return false;
        case Cmd::LyricSettings:
            dialogs_->lyricSettings(score, doc_.history(), relayout_);
            return false;
        default:
            if (id >= Cmd::AllocateRightHand && id < Cmd::AllocateRightHand + kPartCount) {
                runAllocateTrack(score, sel.selecttrack, id - Cmd::AllocateRightHand);
                return true;
            }
            return false;
    }
}

}  // namespace ks
