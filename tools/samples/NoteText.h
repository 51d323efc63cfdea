// A small text notation for entering sample scores by hand.
//
// Notes:  "D5/q"  pitch (letter, optional # or b, octave; C4 = middle C) / length
// Chords: "G3+B3+D4/h"
// Rests:  "r/q"
// Lengths: w whole, h half, q quarter, e eighth, s sixteenth; a trailing "." dots it.
// "|" separates bars; every bar must add up to the bar length, so slips show at once.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "model/Score.h"

namespace ks::samples {

struct Entered {
    int32_t time = 0;
    int32_t duration = 0;
    std::vector<int32_t> pitches;  // empty for a rest
};

// Parses a voice starting at `start`; throws nothing, but returns false (with the
// reason in `error`) on a bad token or a bar of the wrong length.
bool parseVoice(const QString& text, int32_t start, int32_t barLength, int32_t ppqn,
                std::vector<Entered>& out, QString& error);

// Enters a voice into a track. Exits the program with the reason on a mistake: the
// samples are fixed texts, so a mistake is a bug of this tool.
void addVoice(CTrack& track, const QString& text, int32_t start, int32_t barLength,
              int32_t ppqn = 96);

// Attaches syllables (separated by blanks; "_" skips a note) to the note onsets of a
// voice in order, as lyric events of one verse.
void addLyrics(CTrack& track, const QString& voice, const QString& syllables, int verse,
               int32_t start, int32_t barLength, int32_t ppqn = 96);

// An annotation of the annotation track: a symbol of the music font (`symbol` > 0)
// followed by words, with its foot at `key`.
CEvent annotation(int32_t time, int32_t key, char16_t symbol, const QString& words = {});

// Places the title and subtitle boxes one under the other below the top margin of an
// A4 page with half-inch margins, as the user would in Layout mode, and puts the artist
// line under them.
void placeTitleBoxes(CScore& score);

// A crescendo (type 5) or diminuendo (type 6) wedge.
CEvent wedge(int32_t type, int32_t time, int32_t length, int32_t key);

}  // namespace ks::samples
