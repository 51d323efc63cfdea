// What the Score Settings and Lyric Settings dialogs edit, without the dialogs: read
// from a score, stored back into it (the dialogs store every change at once as a
// preview), and the tracks the Score Settings dialog creates when it is accepted.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "model/Score.h"

namespace ks {

// A part entry that asks for a new track, created when the dialog is accepted.
constexpr int kNewTrackEntry = -2;

struct ScoreSettings {
    QString title, subtitle, artist, copyright;
    // The track each part shows: a track index, -1 none, or kNewTrackEntry.
    std::array<int, kPartCount> parts = {-1, -1, -1, -1};
    // Names of existing tracks by index (renames are kept here until stored).
    std::vector<QString> trackNames;
    // Names of the new tracks asked for by part.
    std::array<QString, kPartCount> newTrackNames;
    int key = kKeyCMajor;  // 0..14
    bool minor = false;

    bool operator==(const ScoreSettings&) const = default;
};

ScoreSettings readScoreSettings(const CScore& score);

// Stores titles, track names, the parts showing existing tracks and the key. Parts that
// ask for a new track show nothing until createNewTracks.
void applyScoreSettings(const ScoreSettings& settings, CScore& score);

// Creates the tracks the parts ask for (each lasting the score), shows them, and
// returns how many were created.
int createNewTracks(const ScoreSettings& settings, CScore& score);

// The lyric preferences: the alignment as its list entry (0 Centre, 1 Right, 2 Left),
// the position (0 above the right hand, 1 between the staves, 2 below the left hand)
// and the three text offsets.
struct LyricSettings {
    int alignment = 0;
    int position = 1;
    std::array<int32_t, 3> offsets = {-10, 0, 0};

    bool operator==(const LyricSettings&) const = default;
};

LyricSettings readLyricSettings(const CDisplaySettings& prefs);
void applyLyricSettings(const LyricSettings& settings, CDisplaySettings& prefs);

}  // namespace ks
