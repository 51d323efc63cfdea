#include "NoteText.h"
#include "SampleScores.h"

namespace ks::samples {

namespace {

constexpr int32_t kBar = 384;  // 4/4 at 96 ticks per quarter

// Verses 1 and 2 in C major (bars 1 to 13, the last two being the first and second
// endings), verse 3 in G major (bars 14 to 25).
const char* kMelodyC =
    "C4/q C4/q G4/q G4/q | A4/q A4/q G4/h | F4/q F4/q E4/q E4/q | D4/q D4/q C4/h |"
    "G4/q G4/q F4/q F4/q | E4/q E4/q D4/h | G4/q G4/q F4/q F4/q | E4/q E4/q D4/h |"
    "C4/q C4/q G4/q G4/q | A4/q A4/q G4/h | F4/q F4/q E4/q E4/q | D4/q D4/q C4/h |"
    "D4/q D4/q C4/h |";
const char* kMelodyG =
    "G4/q G4/q D5/q D5/q | E5/q E5/q D5/h | C5/q C5/q B4/q B4/q | A4/q A4/q G4/h |"
    "D5/q D5/q C5/q C5/q | B4/q B4/q A4/h | D5/q D5/q C5/q C5/q | B4/q B4/q A4/h |"
    "G4/q G4/q D5/q D5/q | E5/q E5/q D5/h | C5/q C5/q B4/q B4/q | A4/q A4/q G4/h |";

// Broken chords in eighths under verses 1 and 2, a bass and chord under verse 3.
#define C_ "C3/e G3/e E3/e G3/e "
#define F_ "C3/e A3/e F3/e A3/e "
#define G_ "B2/e G3/e D3/e G3/e "
const char* kAccompanimentC =
    C_ C_ "|" F_ C_ "|" F_ C_ "|" G_ C_ "|" C_ F_ "|" C_ G_ "|" C_ F_ "|" C_ G_ "|" C_ C_ "|" F_ C_
          "|" F_ C_ "|" G_ C_ "|" G_ "C2+C3/h |";
#undef C_
#undef F_
#undef G_
const char* kAccompanimentG =
    "r/q D3+G3/q B2/q D3+G3/q | C3/q E3+G3/q B2/q D3+G3/q | C3/q E3+G3/q B2/q D3+G3/q |"
    "A2/q D3+F#3/q G2/q D3+G3/q | G2/q D3+G3/q C3/q E3+G3/q | G2/q D3+G3/q A2/q D3+F#3/q |"
    "G2/q D3+G3/q C3/q E3+G3/q | G2/q D3+G3/q A2/q D3+F#3/q | G2/q D3+G3/q B2/q D3+G3/q |"
    "C3/q E3+G3/q B2/q D3+G3/q | C3/q E3+G3/q B2/q D3+G3/q | A2/q D3+F#3/q G2+D3+G3/h |";

const char* kVerse1 =
    "Twin- kle, twin- kle, lit- tle star, How I won- der what you are! "
    "Up a- bove the world so high, Like a dia- mond in the sky. "
    "Twin- kle, twin- kle, lit- tle star, How I won- der what you are! what you are!";
const char* kVerse2 =
    "When the blaz- ing sun is gone, When he noth- ing shines up- on, "
    "Then you show your lit- tle light, Twin- kle, twin- kle, all the night.";
const char* kVerse3 =
    "Then the trav- 'ller in the dark Thanks you for your ti- ny spark; "
    "Could not see which way to go, If you did not twin- kle so. "
    "Twin- kle, twin- kle, lit- tle star, How I won- der what you are!";

constexpr int32_t kKeyChangeBar = 13;  // bar index where G major starts

}  // namespace

CScore twinkleTwinkle() {
    CScore s;
    s.Reset();
    s.applyBuiltInDefaults();
    s.title = QStringLiteral("Twinkle, Twinkle, Little Star");
    s.subtitle = QStringLiteral("for voice and piano");
    s.artist = QStringLiteral("Traditional; words by Jane Taylor");
    s.copyright = QStringLiteral("Public domain. Arranged for the Keystaves samples");
    CDisplaySettings& p = s.prefs;
    p.showsubtitle = true;
    p.showcopyright = true;
    p.barsperline = 3;
    p.fontsize = 85;
    p.stavegap = 13;  // room for two verses between the hands
    p.colourmode = 0;
    p.lyricposition = 1;
    p.lyricalign = 6;

    placeTitleBoxes(s);

    const int32_t gStart = kKeyChangeBar * kBar;
    CTrack melody, piano;
    melody.title = QStringLiteral("Voice");
    piano.title = QStringLiteral("Left Hand");
    addVoice(melody, QString::fromLatin1(kMelodyC), 0, kBar);
    addVoice(melody, QString::fromLatin1(kMelodyG), gStart, kBar);
    // The last G is held over a repeated D: tied quarters.
    addVoice(melody, QStringLiteral("r/h D4/q D4/q"), gStart + 11 * kBar, kBar);
    addVoice(piano, QString::fromLatin1(kAccompanimentC), 0, kBar);
    addVoice(piano, QString::fromLatin1(kAccompanimentG), gStart, kBar);
    addLyrics(melody, QString::fromLatin1(kMelodyC), QString::fromLatin1(kVerse1), 0, 0, kBar);
    addLyrics(melody, QString::fromLatin1(kMelodyC), QString::fromLatin1(kVerse2), 1, 0, kBar);
    addLyrics(melody, QString::fromLatin1(kMelodyG), QString::fromLatin1(kVerse3), 0, gStart, kBar);

    // Words a little smaller than the default user font.
    s.userfonts.push_back(CUserFont{.name = QStringLiteral("Times New Roman"), .size = -100});
    for (CEvent& e : melody.events)
        if (e.type == EventType::Lyric) e.fontindex = 1;

    // Dynamics and swells above the voice.
    melody.addEvent(wedge(EventType::Crescendo, 6 * kBar, kBar, 81));
    melody.addEvent(wedge(EventType::Diminuendo, 10 * kBar, kBar, 81));

    s.setTimeSignature(4, 4, 0);
    s.setKeySignature(kKeyCMajor, 0);
    s.setKeySignature(6, kKeyChangeBar);
    s.addTrack(melody);
    s.addTrack(piano);
    s.setLength(25 * kBar);
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(1, Part::LeftHand);

    s.annotationTrack.addEvent(annotation(0, 79, u'#'));                   // p
    s.annotationTrack.addEvent(annotation(8 * kBar, 79, u'&'));            // mf
    s.annotationTrack.addEvent(annotation(gStart, 79, u'\''));             // f
    s.annotationTrack.addEvent(annotation(gStart + 11 * kBar, 79, u'{'));  // rit.
    CEvent& tempo = s.tempoTrack.events[0];
    tempo.data[1] = 92;
    tempo.setKey(88);
    s.midi.tempo = 92;

    // Verses 1 and 2 repeat with first and second endings; a double bar before the key
    // change.
    s.bars[11].styleRight = 3;
    s.bars[12].styleRight = 2;
    s.bars[24].styleRight = 4;
    s.voltamarks.push_back({.type = VoltaType::Closed,
                            .startbar = 11,
                            .endbar = 11,
                            .caption = QStringLiteral("1."),
                            .flags = 1});
    s.voltamarks.push_back({.type = VoltaType::Open,
                            .startbar = 12,
                            .endbar = 12,
                            .caption = QStringLiteral("2."),
                            .flags = 2});
    s.rebuildAllTracks();
    return s;
}

}  // namespace ks::samples
