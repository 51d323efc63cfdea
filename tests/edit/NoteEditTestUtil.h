// A fixture for the note editing commands: a two-bar 4/4 score (ppqn 96) with one track
// in the right hand, its undo history, and readers of what the commands left.
#pragma once

#include <gtest/gtest.h>

#include "edit/EditContext.h"
#include "model/StringIds.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/storage/DocumentTestUtil.h"

namespace ks::test {

class NoteEditTest : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        useNotes({});
    }
    void useNotes(std::initializer_list<CNote> notes, int bars = 2) {
        score = scoreWithTrack(notes, bars);
        score.rebuildAllTracks();
        history = std::make_unique<CUndoHistory>(&score);
    }
    EditContext ctx() { return EditContext{score, *history}; }
    QString lastLabel() const {
        return history->undoItems().empty() ? QString() : history->undoItems().back().label;
    }
    size_t steps() const { return history->undoItems().size(); }
    std::vector<CNoteRef> notes(int track = 0) const {
        std::vector<CNoteRef> out;
        for (const CNote& n : score.track(track).notes)
            out.push_back({n.time, n.pitch});
        return out;
    }
    void cursorAt(int32_t time, int32_t pitch) {
        score.selection.timestart = time;
        score.selection.timeend = time + 1;
        score.selection.pitchlo = score.selection.pitchhi = pitch;
    }
    void select(std::vector<CNoteRef> refs) { score.selection.notes = std::move(refs); }
    // The chords a whole rebuild of the track would give, as (time, duration, count).
    std::vector<std::tuple<int32_t, int32_t, int32_t>> chords(const CScore& s,
                                                              int track = 0) const {
        std::vector<std::tuple<int32_t, int32_t, int32_t>> out;
        for (const CChord& c : s.track(track).chords)
            out.emplace_back(c.time, c.duration, c.noteCount);
        return out;
    }
    void expectChordsAsRebuilt(int track = 0) const {
        CScore whole = score;
        whole.rebuildTrack(track);
        EXPECT_EQ(chords(score, track), chords(whole, track));
    }

    CScore score;
    std::unique_ptr<CUndoHistory> history;
};

}  // namespace ks::test
