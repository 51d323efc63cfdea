#include "BenchmarkScore.h"

#include <random>

namespace ks::bench {

namespace {

constexpr int kBar = 384;  // 4/4 at ppqn 96

// Fills one track with about `count` notes in a pattern of 25 notes per bar: a run of
// sixteenths in the first half of the bar, then chords of three notes, with a note tied
// over every eighth bar line.
void fillTrack(CTrack& t, int trackIndex, int count, std::mt19937& rng) {
    const int base = trackIndex < 2 ? 72 - trackIndex * 7 : 48 - (trackIndex - 2) * 7;
    std::vector<CNote> notes;
    notes.reserve(static_cast<size_t>(count));
    for (int bar = 0; static_cast<int>(notes.size()) < count; ++bar) {
        const int start = bar * kBar;
        for (int i = 0; i < 8; ++i)  // 8 sixteenths
            notes.push_back({.time = start + i * 24,
                             .duration = 24,
                             .pitch = base + static_cast<int>(rng() % 12),
                             .velocity = 60 + static_cast<int>(rng() % 60)});
        for (int c = 0; c < 4; ++c) {  // 4 eighth-note chords of four notes
            const int time = start + 192 + c * 48;
            const int root = base - 5 + static_cast<int>(rng() % 7);
            const bool tiedOver = c == 3 && bar % 8 == 7;  // held over the bar line
            for (int k = 0; k < 4; ++k)
                notes.push_back({.time = time,
                                 .duration = tiedOver && k == 3 ? 96 : 48,
                                 .pitch = root + k * 3 + (k == 3 ? 1 : 0)});
        }
        if (bar % 3 == 0) notes.push_back({.time = start + 96, .duration = 96, .pitch = base + 19});
    }
    notes.resize(static_cast<size_t>(count));
    t.notes.AddAll(std::move(notes));
    t.chordsvalid = false;

    const int bars = t.notes.at(t.notes.size() - 1).time / kBar + 1;
    for (int bar = 0; bar < bars; ++bar) {
        const int start = bar * kBar;
        if (trackIndex == 0) {
            for (int beat = 0; beat < 4; ++beat) {
                CEvent lyric;
                lyric.time = start + beat * 96;
                lyric.type = EventType::Lyric;
                lyric.setKey(60);
                lyric.text = QStringLiteral("la%1").arg(beat);
                t.addEvent(lyric);
            }
        }
        if (bar % 4 == 1) {
            CEvent marks;
            marks.time = start;
            marks.type = EventType::NoteMarks;
            marks.data[0] = NoteMark::Accent | NoteMark::Finger1;
            t.addEvent(marks);
        }
        if (bar % 16 == 2) {
            CEvent wedge;
            wedge.time = start;
            wedge.type = EventType::Crescendo;
            wedge.data[0] = 192;
            wedge.setKey(76);
            t.addEvent(wedge);
        }
    }
}

}  // namespace

CScore makeBenchmarkScore(int trackCount, int notesPerTrack, bool build) {
    std::mt19937 rng(20261210);
    CScore s;
    s.Reset();
    s.applyBuiltInDefaults();
    s.title = QStringLiteral("Benchmark Etude");
    s.setTimeSignature(4, 4, 0);
    for (int t = 0; t < trackCount; ++t) {
        CTrack track;
        track.title = QStringLiteral("Track %1").arg(t + 1);
        fillTrack(track, t, notesPerTrack, rng);
        s.addTrack(track);
    }
    int32_t end = 0;
    for (const CTrack& t : s.tracks)
        for (const CNote& n : t.notes)
            end = std::max(end, n.end());
    const int bars = end / kBar + 1;
    for (int bar = 0; bar < bars; bar += 50) {
        CEvent tempo;
        tempo.time = bar * kBar;
        tempo.type = EventType::Tempo;
        tempo.data[0] = 1;
        tempo.data[1] = 100 + (bar / 50) % 40;
        s.tempoTrack.addEvent(tempo);
        CEvent words;
        words.time = bar * kBar;
        words.type = EventType::Annotation;
        words.setKey(79);
        words.text = QStringLiteral("dolce");
        s.annotationTrack.addEvent(words);
    }
    for (int bar = 20; bar < bars; bar += 100)
        s.setKeySignature((bar / 100) % 15, bar);
    s.setKeySignature(kKeyCMajor, 0);
    // The length is set before the tracks join the parts, so no chords are built yet.
    s.setLength(end);
    for (int p = 0; p < std::min(trackCount, kPartCount); ++p)
        s.parts[static_cast<size_t>(p)] = p + 1;
    s.voltamarks.push_back(
        CScoreVolta{.type = 0, .startbar = 7, .endbar = 7, .caption = "1.", .flags = 1});
    s.voltamarks.push_back(
        CScoreVolta{.type = 1, .startbar = 8, .endbar = 8, .caption = "2.", .flags = 2});
    if (build) s.rebuildAllTracks();
    return s;
}

}  // namespace ks::bench
