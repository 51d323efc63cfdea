// How well the split methods find the hands of real two-hand pieces: each fixture's
// hands are merged into one track, split again, and the notes that land in the hand
// that plays them are counted. Prints the table of every method and holds the hand
// method to its floors.
#include <gtest/gtest.h>

#include <cstdio>

#include "model/TrackOperations.h"
#include "model/TrackSplit.h"
#include "TestPaths.h"
#include "../support/HandPieces.h"

using namespace ks;
using ks::test::Piece;

namespace {

struct Count {
    int right = 0, total = 0;
    double percent() const { return total ? 100.0 * right / total : 0; }
};

// Merges both hands, splits the merged track by `method` and counts the notes (first
// pieces) that went to their own hand; a note both hands play counts for either.
Count measure(const Piece& piece, SplitMethod method) {
    CScore s = piece.score;
    const int merged = mergeTracks(s, 0, 1, Part::RightHand, QStringLiteral("Merged"));
    const std::vector<int> dest = splitDestinations(s, merged, method, 60);
    const CTrack& track = s.track(merged);
    Count count;
    for (int i = 0; i < track.notes.size(); ++i) {
        const CNote& n = track.notes.at(i);
        if (n.flags & NoteFlag::TieEnd) continue;
        const CNote probe{.time = n.time, .pitch = n.pitch};
        const bool inRight = s.track(0).notes.find(probe) >= 0;
        const bool inLeft = s.track(1).notes.find(probe) >= 0;
        const int hand = dest[size_t(i)];
        ++count.total;
        if ((hand == 1 && inRight) || (hand == 2 && inLeft)) ++count.right;
    }
    return count;
}

// A little under what the hand method reaches on each piece (the Gymnopedie's, whose
// left-hand chords lie above middle C, is the lowest at 97.7%).
constexpr double kPieceFloor = 95.0;

}  // namespace

TEST(HandSplitAccuracy, TheHandMethodFindsTheHandsOfRealPieces) {
    const std::vector<Piece> all = test::handPieces();
    ASSERT_GE(all.size(), 6u);
    const SplitMethod methods[] = {SplitMethod::Hands,      SplitMethod::ChordsRight,
                                   SplitMethod::ChordsLeft, SplitMethod::Analyse,
                                   SplitMethod::TopNotes,   SplitMethod::AtPitch};
    const char* names[] = {"Hands",   "ChordsRight", "ChordsLeft",
                           "Analyse", "TopNotes",    "AtPitch60"};
    std::printf("%-16s %6s", "piece", "notes");
    for (const char* n : names)
        std::printf(" %11s", n);
    std::printf("\n");
    std::vector<Count> pooled(std::size(methods));
    for (const Piece& piece : all) {
        ASSERT_TRUE(piece.valid) << piece.name.toStdString();
        std::printf("%-16s", piece.name.toUtf8().constData());
        for (size_t m = 0; m < std::size(methods); ++m) {
            const Count c = measure(piece, methods[m]);
            if (m == 0) std::printf(" %6d", c.total);
            std::printf(" %10.1f%%", c.percent());
            pooled[m].right += c.right;
            pooled[m].total += c.total;
            if (m == 0) EXPECT_GE(c.percent(), kPieceFloor) << piece.name.toStdString();
        }
        std::printf("\n");
    }
    std::printf("%-16s %6d", "pooled", pooled[0].total);
    for (const Count& c : pooled)
        std::printf(" %10.1f%%", c.percent());
    std::printf("\n");
    EXPECT_GE(pooled[0].percent(), 99.0);
    EXPECT_GT(pooled[0].percent(), pooled[1].percent());
}
