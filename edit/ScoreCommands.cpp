#include "ScoreCommands.h"

#include "edit/ScoreTextIds.h"
#include "edit/SelectionOps.h"
#include "edit/UndoStep.h"
#include "model/BarOperations.h"
#include "model/NoteOperations.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "model/TrackOperations.h"

namespace ks {

namespace {

// Records the step, runs the change, and drops the step when nothing changed.
template <class Change>
bool recorded(ScoreCommandContext& c, int label, int32_t kind, int32_t index, Change change) {
    return recordStep(c.history, label, kind, index, change);
}

bool validTrack(const CScore& score, int track) {
    return track >= 0 && track < score.trackCount();
}

}  // namespace

std::vector<int> selectedNotes(const CScore& score) {
    const int track = score.trackOfPart(score.selection.hand);
    if (track < 0) return {};
    // The notes the selection lists (what is drawn selected), each tie chain by its
    // first piece.
    const CTrack& t = score.track(track);
    std::vector<int> notes = selectedNoteIndexes(t, score.selection);
    std::erase_if(notes, [&t](int i) { return (t.notes.at(i).flags & NoteFlag::TieEnd) != 0; });
    return notes;
}

bool runInsertBar(ScoreCommandContext& c, int32_t bar) {
    if (bar < 0 || bar > c.score.barCount()) return false;
    return recorded(c, StringId::InsertBar, UndoKind::Score, 0,
                    [&] { return insertBar(c.score, bar); });
}

bool runDeleteBar(ScoreCommandContext& c, int32_t bar) {
    if (bar < 0 || bar >= c.score.barCount()) return false;
    CSelection& sel = c.score.selection;
    sel.timeend = sel.timestart + 1;
    sel.pitchhi = sel.pitchlo;
    return recorded(c, StringId::DeleteBar, UndoKind::Score, 0,
                    [&] { return deleteBars(c.score, bar); });
}

namespace {

bool crop(ScoreCommandContext& c, int question, int32_t first, int32_t last, int track,
          const std::vector<int>* notes) {
    if (first < 0 || first > last || first >= c.score.barCount()) return false;
    if (notes && (notes->empty() || !validTrack(c.score, track))) return false;
    if (!c.prompts.askYesNo(question, {})) return false;
    c.prompts.showStatus(text(StringId::CroppingSelection));
    const bool changed = recorded(c, StringId::Crop, UndoKind::Score, 0, [&] {
        return notes ? cropToNotes(c.score, first, last, track, *notes)
                     : cropToBars(c.score, first, last);
    });
    c.prompts.showStatus(text(StringId::CroppingComplete));
    return changed;
}

}  // namespace

bool runCropToBars(ScoreCommandContext& c, int32_t first, int32_t last) {
    return crop(c, StringId::AskCropBars, first, last, -1, nullptr);
}

bool runCropToNotes(ScoreCommandContext& c, int32_t first, int32_t last, int track,
                    const std::vector<int>& notes) {
    return crop(c, StringId::AskCropNotes, first, last, track, &notes);
}

bool runTranspose(ScoreCommandContext& c, int amount, bool allTracks, int track) {
    if (amount == 0) return false;
    if (allTracks)
        return recorded(c, StringId::TransposeAllTracks, UndoKind::Score, 0,
                        [&] { return transposeTracks(c.score, -1, amount); });
    if (!validTrack(c.score, track)) return false;
    return recorded(c, StringId::TransposeTrack, UndoKind::Track, track,
                    [&] { return transposeTracks(c.score, track, amount); });
}

bool runAutoNoteLength(ScoreCommandContext& c, int track, const std::vector<int>& notes) {
    if (!validTrack(c.score, track) || notes.empty()) return false;
    return recorded(c, StringId::AutoNoteLength, UndoKind::Score, 0,
                    [&] { return autoNoteLength(c.score, track, notes); });
}

bool runMakePhrase(ScoreCommandContext& c, int track, const std::vector<int>& notes) {
    if (!validTrack(c.score, track) || notes.empty()) return false;
    return recorded(c, StringId::MakePhrase, UndoKind::Track, track,
                    [&] { return makePhrase(c.score, track, notes); });
}

bool runRemovePhrase(ScoreCommandContext& c, int track, int32_t tick) {
    if (!validTrack(c.score, track) || phraseStartingAt(c.score.track(track), tick) < 0)
        return false;
    return recorded(c, StringId::RemovePhrase, UndoKind::Track, track,
                    [&] { return removePhrase(c.score, track, tick); });
}

bool runFlipStems(ScoreCommandContext& c, int track, const std::vector<int>& notes) {
    if (!validTrack(c.score, track) || notes.empty()) return false;
    return recorded(c, StringId::FlipNoteStems, UndoKind::Track, track,
                    [&] { return flipStems(c.score, track, notes); });
}

bool runAddTrack(ScoreCommandContext& c, const QString& title, int part) {
    return recorded(c, StringId::AddTrack, UndoKind::Score, 0, [&] {
        addNewTrack(c.score, title, part);
        return true;
    });
}

bool runDeleteTrack(ScoreCommandContext& c, int track) {
    if (!validTrack(c.score, track)) return false;
    return recorded(c, StringId::DeleteTrack, UndoKind::Score, 0,
                    [&] { return deleteTrack(c.score, track); });
}

bool runMergeTracks(ScoreCommandContext& c, int first, int second, int part) {
    if (first == second) {
        c.prompts.showMessage(StringId::MergeWithItself, {});
        return false;
    }
    if (!validTrack(c.score, first) || !validTrack(c.score, second)) return false;
    c.prompts.showStatus(text(StringId::MergingTracks));
    const bool changed = recorded(c, StringId::MergeTracks, UndoKind::Score, 0, [&] {
        return mergeTracks(c.score, first, second, part, text(StringId::MergedTrackName)) >= 0;
    });
    c.prompts.showStatus(text(StringId::MergingComplete));
    return changed;
}

QString splitTrackName(const QString& source, int which) {
    return formatText(text(which == 1 ? StringId::SplitNameFirst : StringId::SplitNameSecond),
                      {source, text(StringId::SplitWord)});
}

bool runSplitTrack(ScoreCommandContext& c, SplitRequest request) {
    if (request.destination1 >= 0 && request.destination1 == request.destination2) {
        c.prompts.showMessage(StringId::SameDestinations, {});
        return false;
    }
    if (!validTrack(c.score, request.source)) return false;
    const QString source = c.score.track(request.source).title;
    request.name1 = splitTrackName(source, 1);
    request.name2 = splitTrackName(source, 2);
    const bool changed = recorded(c, StringId::SplitTrack, UndoKind::Score, 0, [&] {
        c.prompts.showStatus(text(StringId::SplittingTrack));
        if (request.method == SplitMethod::Analyse)
            c.prompts.showStatus(text(StringId::AnalysingTrack));
        return splitTrack(c.score, request) >= 0;
    });
    c.prompts.showStatus(text(StringId::SplittingComplete));
    return changed;
}

void runAllocateTrack(CScore& score, int track, int part) {
    allocateTrack(score, track, part);
}

}  // namespace ks
