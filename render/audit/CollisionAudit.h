// The collision audit: which drawn marks run into each other where they should not.
//
// Two boxes collide when their ink boxes overlap (boxes that only meet edge to edge do
// not). Allowed to overlap are:
// - parts of one element: a note's head, dots and accidental; a chord's heads, stem and
//   flag; the glyphs of one key signature, clef, tempo mark or text; the strokes of one
//   wedge or bar line (elements are told apart by their line and hand, so the same bar or
//   chord number on two lines or in two hands is two elements);
// - a stem and a beam, as every beamed stem ends in its beam;
// - a bar line and the repeat dots, volta bracket or bar number drawn at it, or a wedge
//   that spans it;
// - two note heads, stems or beams of different hands: the hands share the middle keys,
//   and a unison drawn over itself is how the notation shows it.
// Syllables of lyrics must keep a gap of `kLyricGap` between them besides not overlapping,
// as syllables that meet read as one word.
#pragma once

#include <QMap>
#include <vector>

#include "render/audit/DrawnBoxes.h"

namespace ks {

inline constexpr int kLyricGap = 10;  // page units

struct Collision {
    DrawnBox first;
    DrawnBox second;
    // "first/second" with the two kinds in alphabetical order, for counting.
    QString pairKind() const;
};

// True when the two boxes may overlap (see above), whether or not they do.
bool mayOverlap(const DrawnBox& a, const DrawnBox& b);

// The pairs of boxes that overlap and may not, in the order of their first box.
std::vector<Collision> findCollisions(const std::vector<DrawnBox>& boxes);

// How many collisions there are of each pair kind.
QMap<QString, int> countByPairKind(const std::vector<Collision>& collisions);

}  // namespace ks
