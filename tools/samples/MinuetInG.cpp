#include "NoteText.h"
#include "SampleScores.h"

namespace ks::samples {

namespace {

constexpr int32_t kBar = 288;  // 3/4 at 96 ticks per quarter

const char* kRight =
    "D5/q G4/e A4/e B4/e C5/e | D5/q G4/q G4/q | E5/q C5/e D5/e E5/e F#5/e | G5/q G4/q G4/q |"
    "C5/q D5/e C5/e B4/e A4/e | B4/q C5/e B4/e A4/e G4/e | F#4/q G4/e A4/e B4/e G4/e | A4/h. |"
    "D5/q G4/e A4/e B4/e C5/e | D5/q G4/q G4/q | E5/q C5/e D5/e E5/e F#5/e | G5/q G4/q G4/q |"
    "C5/q D5/e C5/e B4/e A4/e | B4/q C5/e B4/e A4/e G4/e | A4/q B4/e A4/e G4/e F#4/e | G4/h. |"
    "B5/q G5/e A5/e B5/e G5/e | A5/q D5/e E5/e F#5/e D5/e | G5/q E5/e F#5/e G5/e D5/e |"
    "C#5/q B4/e C#5/e A4/q | A4/e B4/e C#5/e D5/e E5/e F#5/e | G5/q F#5/q E5/q |"
    "F#5/q A4/q C#5/q | D5/h. | D5/q G4/e F#4/e G4/q | E5/q G4/e F#4/e G4/q | D5/q C5/q B4/q |"
    "A4/e G4/e F#4/e G4/e A4/q | D4/e E4/e F#4/e G4/e A4/e B4/e | C5/q B4/q A4/q |"
    "B4/e D5/e G4/q F#4/q | G4/h. | G4/h. |";

const char* kLeft =
    "G3+B3/h A3/q | B3/h. | C4/h. | B3/h. | A3/h. | G3/h. | D4/q B3/q G3/q |"
    "D4/q D3/e C4/e B3/e A3/e | B3/h A3/q | G3/q B3/q G3/q | C4/h. |"
    "B3/q C4/e B3/e A3/e G3/e | A3/h F#3/q | G3/h B3/q | C4/q D4/q D3/q | G3/h G2/q |"
    "G3/h. | F#3/h. | E3/h G3/q | A3/h A2/q | A3/h r/q | B3/q D4/q C#4/q | D4/q F#3/q A3/q |"
    "D4/q D3/q C4/q | B3/h. | C4/h. | B3/q A3/q G3/q | D4/h r/q | D3/h F#3/q | E3/h F#3/q |"
    "G3/q D3/q D2/q | G2/h D3/q | G2+G3/h. |";

int32_t bar(int b) {
    return (b - 1) * kBar;
}

CEvent phrase(int end, int32_t firstTime, int32_t firstPitch, int32_t lastTime, int32_t lastPitch) {
    CEvent e;
    e.type = EventType::Phrase;
    e.time = end ? lastTime : firstTime;
    e.setKey(end ? lastPitch : firstPitch);
    e.data[0] = end;
    e.data[1] = firstPitch;
    e.data[2] = lastPitch;
    e.data[3] = firstTime;
    e.data[4] = lastTime;
    return e;
}

// An event placed in the gap between the hands: above B3 by `fraction` / 65536 of the
// way to middle C.
CEvent betweenHands(CEvent e, int32_t fraction) {
    e.setPitch((59 << 16) | fraction);
    return e;
}

CEvent marks(int32_t time, int32_t bits) {
    CEvent e;
    e.type = EventType::NoteMarks;
    e.time = time;
    e.data[0] = bits;
    return e;
}

}  // namespace

CScore minuetInG() {
    CScore s;
    s.Reset();
    s.applyBuiltInDefaults();
    s.title = QStringLiteral("Minuet in G");
    s.subtitle = QStringLiteral("from the Notebook for Anna Magdalena Bach");
    s.artist = QStringLiteral("Christian Petzold");
    CDisplaySettings& p = s.prefs;
    p.showsubtitle = true;
    p.barsperline = 3;
    p.fontsize = 80;
    p.stavegap = 8;
    p.colourmode = 4;

    placeTitleBoxes(s);

    CTrack right, left;
    right.title = QStringLiteral("Right Hand");
    left.title = QStringLiteral("Left Hand");
    addVoice(right, QString::fromLatin1(kRight), 0, kBar);
    addVoice(left, QString::fromLatin1(kLeft), 0, kBar);
    // A held D over a moving inner voice (tied quarters), and the same in the bass.
    addVoice(right, QStringLiteral("r/q A4/q F#4/q"), bar(24), kBar);
    addVoice(left, QStringLiteral("r/q E3/q A3/q"), bar(26), kBar);

    // Slurs over the opening runs, fingering, staccato and an accent.
    right.addEvent(phrase(0, 96, 67, 240, 72));
    right.addEvent(phrase(1, 96, 67, 240, 72));
    right.addEvent(phrase(0, bar(17) + 96, 79, bar(17) + 240, 79));
    right.addEvent(phrase(1, bar(17) + 96, 79, bar(17) + 240, 79));
    right.addEvent(marks(0, NoteMark::Finger1 << 4));  // 5
    right.addEvent(marks(96, NoteMark::Finger1));      // 1
    right.addEvent(marks(bar(2) + 96, NoteMark::Staccato));
    right.addEvent(marks(bar(2) + 192, NoteMark::Staccato));
    right.addEvent(marks(bar(22), NoteMark::Accent));
    left.addEvent(marks(0, (NoteMark::Finger1 << 4) | (NoteMark::Finger1 << 2)));  // 5 and 3
    // Swells between the hands.
    right.addEvent(betweenHands(wedge(EventType::Crescendo, bar(21), kBar, 59), 0xC000));
    // The closing swell runs over a line break: drawn in two pieces.
    right.addEvent(betweenHands(wedge(EventType::Diminuendo, bar(30), 2 * kBar, 59), 0xC000));

    s.setTimeSignature(3, 4, 0);
    s.setKeySignature(6, 0);  // G major
    s.addTrack(right);
    s.addTrack(left);
    s.setLength(33 * kBar);
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(1, Part::LeftHand);

    // Dynamics between the staves, their feet low in the gap.
    s.annotationTrack.addEvent(betweenHands(annotation(0, 59, u'&'), 0x4000));         // mf
    s.annotationTrack.addEvent(betweenHands(annotation(bar(17), 59, u'#'), 0x4000));   // p
    s.annotationTrack.addEvent(betweenHands(annotation(bar(25), 59, u'\''), 0x4000));  // f
    s.annotationTrack.addEvent(annotation(bar(31), 84, u'{'));  // rit., above the stave

    CEvent& tempo = s.tempoTrack.events[0];
    tempo.data[1] = 108;
    s.midi.tempo = 108;

    // The first half repeats; the second repeats with first and second endings.
    s.bars[15].styleRight = 3;
    s.bars[16].styleLeft = 3;
    s.bars[31].styleRight = 3;
    s.bars[32].styleRight = 4;
    s.voltamarks.push_back({.type = VoltaType::Closed,
                            .startbar = 31,
                            .endbar = 31,
                            .caption = QStringLiteral("1."),
                            .flags = 1});
    s.voltamarks.push_back({.type = VoltaType::Open,
                            .startbar = 32,
                            .endbar = 32,
                            .caption = QStringLiteral("2."),
                            .flags = 2});
    s.rebuildAllTracks();
    return s;
}

}  // namespace ks::samples
