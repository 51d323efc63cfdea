// Splitting one track into two: which notes go to which new track, by one of the split
// methods, and the two new tracks built, appended and shown in their parts.
#pragma once

#include <QString>
#include <vector>

#include "model/Score.h"

namespace ks {

// In the order of the split dialog's list.
enum class SplitMethod {
    TopNotes,     // the highest note at each time is the melody (track 1)
    AtPitch,      // notes at or above a pitch go to track 1
    Analyse,      // a score per note from its place in the chord, the bar and its neighbours
    ChordsRight,  // a running split pitch; chords kept together in track 1
    ChordsLeft,   // a running split pitch; chords kept together in track 2
    Hands,        // the two hands of a piano part (track 1 the right hand)
};
constexpr int kSplitMethodCount = 6;

// For every note of the track (by index): 1 when it goes to the first new track, 2 for
// the second. The track's chords must be current. Notes of a tuplet go to track 1, and
// the tied pieces of a note follow its first piece.
std::vector<int> splitDestinations(const CScore& score, int track, SplitMethod method,
                                   int32_t pitch = 60);

struct SplitRequest {
    int source = 0;
    int destination1 = -1;  // part of the first new track, -1 none
    int destination2 = -1;
    SplitMethod method = SplitMethod::TopNotes;
    int32_t pitch = 60;  // for AtPitch
    QString name1, name2;
};

// Appends the two new tracks (the source stays in the track list): the notes divided by
// the method; tuplet markers, note marks, lyrics and phrases go to the first, a grace
// note to the first track holding its main note (else the second). With a destination,
// the part that showed the source becomes empty and the new tracks are shown. Returns
// the index of the first new track, or -1 when the source does not exist.
int splitTrack(CScore& score, const SplitRequest& request);

}  // namespace ks
