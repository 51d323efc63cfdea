#include "PianoPiece.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

namespace ks::bench {

namespace {

constexpr int kQuarter = 480;
constexpr int kBar = 4 * kQuarter;
constexpr int kEighth = kQuarter / 2;

// Scale degrees (0 = tonic) of the chords of an eight-bar progression: I vi IV V, I IV
// V I.
constexpr std::array<int, 8> kProgression = {0, 5, 3, 4, 0, 3, 4, 0};
constexpr std::array<int, 7> kMajorScale = {0, 2, 4, 5, 7, 9, 11};

// Pitch of scale degree `degree` (any integer, octaves included) above `tonic`.
int scalePitch(int tonic, int degree) {
    const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    return tonic + 12 * octave + kMajorScale[static_cast<size_t>(degree - 7 * octave)];
}

struct Writer {
    CMidiTrack& track;
    std::mt19937& rng;
    // Played slightly shorter than written, with the velocity varying around `level`.
    void note(int time, int pitch, int length, int level) {
        const int velocity = level + static_cast<int>(rng() % 17) - 8;
        track.AddNote(time, pitch, velocity, length * 9 / 10);
    }
};

// Rhythms of one melody bar, in eighths (a dotted quarter is 3).
constexpr std::array<std::array<int, 8>, 6> kRhythms = {{
    {2, 2, 2, 2, 0, 0, 0, 0},
    {1, 1, 2, 1, 1, 2, 0, 0},
    {3, 1, 2, 2, 0, 0, 0, 0},
    {1, 1, 1, 1, 2, 2, 0, 0},
    {2, 1, 1, 1, 1, 2, 0, 0},
    {4, 2, 1, 1, 0, 0, 0, 0},
}};

void melodyBar(Writer& w, int start, int tonic, int chordDegree, int& degree, bool phraseEnd) {
    if (phraseEnd) {  // a held note on the chord's root ends each phrase
        degree = chordDegree + 7;
        w.note(start, scalePitch(tonic, degree), 2 * kQuarter, 72);
        w.note(start + 2 * kQuarter, scalePitch(tonic, degree), 2 * kQuarter, 64);
        return;
    }
    const auto& rhythm = kRhythms[w.rng() % kRhythms.size()];
    int time = start;
    for (int length : rhythm) {
        if (length == 0) break;
        // Steps mostly, a leap now and then, kept within about two octaves.
        const int step = static_cast<int>(w.rng() % 7) - 3;
        degree = std::clamp(degree + (std::abs(step) == 3 ? step * 2 : step), 0, 9);
        const int pitch = scalePitch(tonic, degree);
        w.note(time, pitch, length * kEighth, 80);
        // A third below on strong beats, now and then.
        if ((time - start) % kBar == 0 && w.rng() % 3 == 0)
            w.note(time, scalePitch(tonic, degree - 2), length * kEighth, 66);
        time += length * kEighth;
    }
}

void accompanimentBar(Writer& w, int start, int tonic, int chordDegree, int section) {
    const int root = scalePitch(tonic - 12, chordDegree);
    const int third = scalePitch(tonic - 12, chordDegree + 2);
    const int fifth = scalePitch(tonic - 12, chordDegree + 4);
    switch (section % 4) {
        case 0:  // broken chord in eighths, root position, over an octave
            for (int i = 0; i < 8; ++i) {
                const int pitch = std::array{root, fifth, root + 12, third + 12}[i % 4];
                w.note(start + i * kEighth, pitch, kEighth, 58);
            }
            break;
        case 1:  // Alberti bass over a held bass note
            w.note(start, root - 12, 2 * kQuarter, 62);
            for (int i = 0; i < 8; ++i)
                w.note(start + i * kEighth, std::array{root, fifth, third, fifth}[i % 4], kEighth,
                       56);
            break;
        case 2:  // block chords on the half bars
            for (int half = 0; half < 2; ++half)
                for (int pitch : {root - 12, third, fifth})
                    w.note(start + half * 2 * kQuarter, pitch, 2 * kQuarter, 60);
            break;
        default:  // walking bass in quarters with a chord on the first beat
            for (int beat = 0; beat < 4; ++beat) {
                const int pitch =
                    scalePitch(tonic - 24, chordDegree + std::array{0, 2, 4, 5}[beat]);
                w.note(start + beat * kQuarter, pitch, kQuarter, 64);
            }
            w.note(start, third, kQuarter, 54);
            w.note(start, fifth, kQuarter, 54);
            break;
    }
}

}  // namespace

CMidiFile makePianoPiece(int bars) {
    std::mt19937 rng(20240601);
    CMidiFile file;
    file.division = kQuarter;
    file.tempo = 112;
    file.title = QStringLiteral("Sonatina in C");
    file.artist = QStringLiteral("Keystaves benchmark");
    file.addTimeSig({0, 4, 4});
    file.addKeySig({0, 0, false});
    const int modulation = bars / 2 - (bars / 2) % 8;
    file.addKeySig({modulation * kBar, 1, false});  // to G major
    file.tracks.resize(2);
    file.tracks[0].name = QStringLiteral("Right Hand");
    file.tracks[1].name = QStringLiteral("Left Hand");
    file.tracks[1].channel = 1;
    Writer right{file.tracks[0], rng};
    Writer left{file.tracks[1], rng};
    int degree = 7;
    for (int bar = 0; bar < bars; ++bar) {
        const int tonic = bar < modulation ? 60 : 67;
        const int chord = kProgression[static_cast<size_t>(bar % 8)];
        const int start = bar * kBar;
        melodyBar(right, start, tonic, chord, degree, bar % 4 == 3);
        accompanimentBar(left, start, tonic, chord, bar / 16);
    }
    return file;
}

bool writePianoPiece(const QString& path, int bars) {
    return makePianoPiece(bars).Write(path).ok;
}

int noteCount(const CMidiFile& file) {
    int count = 0;
    for (const CMidiTrack& track : file.tracks)
        for (int i = 0; i < track.events.size(); ++i)
            count += (track.events.at(i).status & 0xF0) == 0x90 && track.events.at(i).data[1] > 0;
    return count;
}

}  // namespace ks::bench
