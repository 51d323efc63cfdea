// Speed of MIDI export and import: a file of 100,000 notes in 4 tracks written to disk,
// and read back.
#include <benchmark/benchmark.h>

#include "interchange/MidiFile.h"

#include <QTemporaryDir>

namespace {

constexpr int kTracks = 4;
constexpr int kNotesPerTrack = 25000;

ks::CMidiFile hundredThousandNotes() {
    ks::CMidiFile file;
    file.division = 96;
    file.title = "Benchmark";
    file.addTimeSig({0, 4, 4});
    file.addKeySig({0, 0, false});
    for (int t = 0; t < kTracks; ++t) {
        ks::CMidiTrack& track = file.tracks.emplace_back();
        track.name = QStringLiteral("Track %1").arg(t);
        track.channel = t;
        // Two-note chords every eighth note, with overlapping lengths.
        for (int i = 0; i < kNotesPerTrack; ++i)
            track.AddNote((i / 2) * 48, 36 + (i * 7 + t * 5) % 48 + (i % 2) * 12, 40 + i % 80,
                          40 + (i * 13) % 57);
    }
    return file;
}

void BM_WriteMidiFile(benchmark::State& state) {
    const ks::CMidiFile file = hundredThousandNotes();
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.mid");
    for (auto _ : state) {
        const ks::MidiResult result = file.Write(path);
        if (!result.ok) state.SkipWithError("write failed");
    }
    state.counters["notes"] = kTracks * kNotesPerTrack;
}
BENCHMARK(BM_WriteMidiFile)->Unit(benchmark::kMillisecond);

void BM_ReadMidiFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.mid");
    if (!hundredThousandNotes().Write(path).ok) state.SkipWithError("write failed");
    for (auto _ : state) {
        ks::CMidiFile file;
        const ks::MidiResult result = file.Read(path);
        if (!result.ok) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(file.tracks.data());
    }
}
BENCHMARK(BM_ReadMidiFile)->Unit(benchmark::kMillisecond);

// Filling the tracks note by note, as the score export does.
void BM_AddNotes(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(hundredThousandNotes().tracks.data());
}
BENCHMARK(BM_AddNotes)->Unit(benchmark::kMillisecond);

}  // namespace
