// The `part` element of one exported part: its measures with bar lines, endings and
// repeats, attributes, tempo, directions, and the notes and rests of its track.
#pragma once

#include "interchange/MusicXmlLayout.h"
#include "interchange/XmlOut.h"
#include "model/Score.h"

namespace ks {

struct MusicXmlPartContext {
    const CScore& score;
    const MusicXmlLayout& layout;
    double tenthsPerThou = 1.0;  // page units to MusicXML tenths
};

// Writes part `part` (0..3), which shows `track` (chords valid). The first exported part
// also carries the tempo marks and the annotation track's words and dynamics.
void writeMusicXmlPart(XmlOut& out, const MusicXmlPartContext& context, int part,
                       const CTrack& track, bool firstPart);

}  // namespace ks
