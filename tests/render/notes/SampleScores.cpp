#include "SampleScores.h"

#include "NotesTestUtil.h"

namespace ks::test {

CScore sampleScore(const std::function<void(CScore&)>& adjust) {
    CScore s =
        drawingScore(6,
                     {
                         // Bar 0: a quarter, two beamed eighths, a half-note chord with a second.
                         {0, 0, 96, 72},
                         {0, 96, 48, 74},
                         {0, 144, 48, 76},
                         {0, 192, 192, 64},
                         {0, 192, 192, 65},
                         {0, 192, 192, 69},
                         // Bar 1: two groups of sixteenths, a dotted quarter high up, an eighth.
                         {0, 384, 24, 79},
                         {0, 408, 24, 77},
                         {0, 432, 24, 76},
                         {0, 456, 24, 74},
                         {0, 480, 24, 72},
                         {0, 504, 24, 71},
                         {0, 528, 24, 69},
                         {0, 552, 24, 67},
                         {0, 576, 144, 80},
                         {0, 720, 48, 81},
                         // Bar 2: a whole note above the stave.
                         {0, 768, 384, 84},
                         // Bar 3: a triplet of eighths, a quarter rest, a half tied over the line.
                         {0, 1152, 32, 72},
                         {0, 1184, 32, 74},
                         {0, 1216, 32, 76},
                         {0, 1344, 288, 72},
                         // Bar 4: the tied note ends beside a new one; thirty-seconds; a half.
                         {0, 1536, 96, 76},
                         {0, 1632, 12, 72},
                         {0, 1644, 12, 74},
                         {0, 1656, 12, 76},
                         {0, 1668, 12, 77},
                         {0, 1680, 12, 79},
                         {0, 1692, 12, 77},
                         {0, 1704, 12, 76},
                         {0, 1716, 12, 74},
                         {0, 1728, 192, 73},
                         // Left hand.
                         {2, 0, 384, 48},
                         {2, 0, 384, 52},
                         {2, 0, 384, 55},
                         {2, 384, 192, 43},
                         {2, 576, 192, 45},
                         {2, 768, 96, 36},
                         {2, 864, 96, 38},
                         {2, 960, 96, 40},
                         {2, 1056, 96, 41},
                         {2, 1152, 48, 48},
                         {2, 1200, 48, 55},
                         {2, 1248, 48, 52},
                         {2, 1296, 48, 55},
                         {2, 1344, 192, 50},
                         {2, 1536, 72, 53},
                         {2, 1608, 24, 55},
                         {2, 1632, 288, 57},
                     },
                     {0, 2});
    CTrack& rh = s.tracks[0];
    rh.addEvent(CEvent{.time = 1152, .type = EventType::Tuplet, .data = {3, 1248}});
    for (CNote& n : rh.notes)
        if (n.time >= 1152 && n.time < 1248) n.flags |= NoteFlag::Tuplet;
    s.prefs.extendmode = ExtendMode::LedgerLines;
    s.prefs.colourmode = 0;
    s.prefs.showclefs = true;
    s.prefs.showtimesignature = true;
    if (adjust) adjust(s);
    layOut(s);
    s.bars[2].styleLeft = 3;
    s.bars[3].styleRight = 3;
    s.bars[5].styleRight = 4;
    layOut(s);
    return s;
}

const std::vector<SampleLook>& sampleLooks() {
    static const std::vector<SampleLook> looks = {
        {"keystave-bw", {}},
        {"colour",
         [](CScore& s) {
             s.prefs.colourmode = 4;
             s.prefs.thicklines = true;
             s.prefs.extendmode = ExtendMode::FullStaveFaded;
         }},
        {"conventional",
         [](CScore& s) {
             s.prefs.stavetype = 3;
             s.prefs.stavegap = 4;
             s.setKeySignature(9, 0);
         }},
        {"letters",
         [](CScore& s) {
             s.prefs.stavetype = 4;
             s.prefs.stavegap = 4;
         }},
        {"keyboards",
         [](CScore& s) {
             s.prefs.showkeyboards = true;
             s.prefs.extendmode = ExtendMode::StaveLines;
             s.prefs.reducedspacing = true;
         }},
        {"shaded",
         [](CScore& s) {
             s.prefs.colourmode = 1;
             s.prefs.extendmode = ExtendMode::AffectedBars;
         }},
    };
    return looks;
}

}  // namespace ks::test
