// Readers on hostile input that once took quadratic time: a score document of 200,000
// nested elements (read from its file), and a MIDI file of 100,000 key signatures (read
// from its bytes and imported).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "interchange/MidiFile.h"
#include "interchange/MidiImport.h"
#include "storage/ScoreReader.h"

using namespace ks;

namespace {

constexpr int kDepth = 200000;
constexpr int kKeySignatures = 100000;

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// The nested documents, by the element that nests.
QByteArray nestedDocument(int kind) {
    switch (kind) {
        case 0:
            return "<keystaves>" + repeated("<score>", kDepth) + repeated("</score>", kDepth) +
                   "</keystaves>";
        case 1:
            return "<keystaves><score><tracks>" + repeated("<track>", kDepth) +
                   repeated("</track>", kDepth) + "</tracks></score></keystaves>";
        default:
            return "<tonepad><midi><track><events><event time=\"0\" pitch=\"60\" "
                   "velocity=\"90\" duration=\"96\">" +
                   repeated("<triplet time=\"0\" duration=\"192\">", kDepth) +
                   repeated("</triplet>", kDepth) + "</event></events></track></midi></tonepad>";
    }
}

QByteArray bigEndian(uint32_t value, int size) {
    QByteArray out;
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        out.append(char(value >> shift));
    return out;
}

QByteArray oneTrackFile(QByteArray events) {
    events += QByteArray("\x00\xFF\x2F\x00", 4);
    return "MThd" + bigEndian(6, 4) + bigEndian(1, 2) + bigEndian(1, 2) + bigEndian(96, 2) +
           "MTrk" + bigEndian(uint32_t(events.size()), 4) + events;
}

// A format 1 file of one track: a key signature every half bar, all keys in turn.
QByteArray keySignatureFile() {
    QByteArray events;
    for (int i = 0; i < kKeySignatures; ++i) {
        events += i == 0 ? QByteArray(1, '\0') : QByteArray("\x81\x40", 2);  // 192 ticks
        events += QByteArray("\xFF\x59\x02", 3);
        events += char(i % 15 - 7);
        events += char(i % 2);
    }
    return oneTrackFile(events);
}

// A time signature at every bar line, 3/4 and 4/4 in turn.
QByteArray timeSignatureFile() {
    QByteArray events;
    for (int i = 0; i < kKeySignatures; ++i) {
        // 3/4 lasts 288 ticks, 4/4 384: the next signature starts at the next bar line.
        events += i == 0 ? QByteArray(1, '\0')
                         : (i % 2 == 1 ? QByteArray("\x82\x20", 2) : QByteArray("\x83\x00", 2));
        events += QByteArray("\xFF\x58\x04", 3);
        events += char(i % 2 == 0 ? 3 : 4);
        events += QByteArray("\x02\x18\x08", 3);
    }
    return oneTrackFile(events);
}

}  // namespace

static void BM_ReadDeeplyNestedDocument(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nested.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(nestedDocument(static_cast<int>(state.range(0)))) < 0) {
        state.SkipWithError("cannot write the document");
        return;
    }
    file.close();
    for (auto _ : state) {
        CScore score;
        benchmark::DoNotOptimize(readAnyScoreFile(path, score, nullptr).ok);
    }
}
// 0: <score>, 1: <track>, 2: the predecessor's <triplet>
BENCHMARK(BM_ReadDeeplyNestedDocument)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

static void BM_ImportMidiKeySignatures(benchmark::State& state) {
    const QByteArray bytes = keySignatureFile();
    for (auto _ : state) {
        CMidiFile file;
        file.readBytes(bytes);
        CScore score;
        score.applyBuiltInDefaults();
        importMidiFile(file, score);
        benchmark::DoNotOptimize(score.keysigs.size());
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ImportMidiKeySignatures)->Unit(benchmark::kMillisecond);

static void BM_ImportMidiTimeSignatures(benchmark::State& state) {
    const QByteArray bytes = timeSignatureFile();
    for (auto _ : state) {
        CMidiFile file;
        file.readBytes(bytes);
        CScore score;
        score.applyBuiltInDefaults();
        importMidiFile(file, score);
        benchmark::DoNotOptimize(score.timesigs.size());
    }
}
BENCHMARK(BM_ImportMidiTimeSignatures)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
