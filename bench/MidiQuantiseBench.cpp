// What finding the written rhythm adds to a MIDI import: a 10,000-note file played
// without a click (timing noise, shortened lengths) imported with and without
// quantising; the difference of the two is the cost of quantising.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "interchange/MidiImport.h"

using namespace ks;

namespace {

constexpr int kNotes = 10000;

// Eight notes a beat at 120 beats per minute in two hands (a melody in 16ths over a
// bass note and a chord), every start moved by up to 20 ms and every length cut.
CMidiFile playedFile() {
    std::mt19937 engine(7);
    const auto uniform = [&] { return (engine() + 0.5) / 4294967296.0; };
    CMidiFile file;
    file.division = 480;
    file.tempo = 120;
    file.timeSigs.push_back({0, 4, 4});
    CMidiTrack& track = file.tracks.emplace_back();
    const int melody[8] = {72, 74, 76, 77, 79, 77, 76, 74};
    int placed = 0;
    for (int sixteenth = 0; placed < kNotes; ++sixteenth) {
        const auto play = [&](int pitch, int length) {
            const int jitter = int(std::lround((uniform() - 0.5) * 2 * 0.020 * 960));
            const int at = std::max(0, sixteenth * 120 + jitter);
            track.AddNote(at, pitch, 64, int(length * (1 - 0.25 * uniform())));
            ++placed;
        };
        play(melody[sixteenth % 8], 120);
        if (sixteenth % 4 == 0) play(48 + (sixteenth / 16) % 5, 480);
        if (sixteenth % 4 == 2) {
            play(60, 240);
            play(64, 240);
        }
    }
    return file;
}

const CMidiFile& file() {
    static const CMidiFile f = playedFile();
    return f;
}

void importWith(benchmark::State& state, bool quantise) {
    for (auto _ : state) {
        CScore score;
        score.applyBuiltInDefaults();
        importMidiFile(file(), score, MidiConversion{.quantise = quantise});
        benchmark::DoNotOptimize(score.tracks.size());
    }
}

}  // namespace

static void BM_ImportPlayedFileAsPlayed(benchmark::State& state) {
    importWith(state, false);
}
BENCHMARK(BM_ImportPlayedFileAsPlayed)->Unit(benchmark::kMillisecond);

static void BM_ImportPlayedFileQuantised(benchmark::State& state) {
    importWith(state, true);
}
BENCHMARK(BM_ImportPlayedFileQuantised)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
