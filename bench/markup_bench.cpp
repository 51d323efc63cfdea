// Markup reading and writing speed on a score-sized document: 100,000 note elements and
// 25,000 lyric events in four tracks, about 10 MB, laid out as the score writer does.
#include <benchmark/benchmark.h>

#include "storage/MarkupFile.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace ks;

namespace {

constexpr int kNotes = 100'000;
constexpr int kEvents = 25'000;
constexpr int kTracks = 4;

void addContainer(CMarkupFile& m, const QString& name, int count) {
    CMarkupElement e(name, CMarkupElement::kStartTag);
    CMarkupFile::AddAttribute(e, QStringLiteral("count"), count);
    e.newline = true;
    m.AppendElement(std::move(e));
}

// The document the score writer makes for a large piece.
void buildScore(CMarkupFile& m) {
    const QString note = QStringLiteral("note"), time = QStringLiteral("time"),
                  duration = QStringLiteral("duration"), pitch = QStringLiteral("pitch"),
                  velocity = QStringLiteral("velocity"), flags = QStringLiteral("flags"),
                  event = QStringLiteral("event"), type = QStringLiteral("type"),
                  text = QStringLiteral("text"), data0 = QStringLiteral("data0");
    m.AddTag(CMarkupElement::kStartTag, QStringLiteral("keystaves"), true);
    CMarkupElement score(QStringLiteral("score"), CMarkupElement::kStartTag);
    CMarkupFile::AddAttribute(score, QStringLiteral("title"), QStringLiteral("Études – Nº 1 & 2"));
    CMarkupFile::AddAttribute(score, QStringLiteral("ppqn"), 96);
    CMarkupFile::AddAttribute(score, QStringLiteral("length"), kNotes / kTracks * 48);
    score.newline = true;
    m.AppendElement(std::move(score));
    addContainer(m, QStringLiteral("tracks"), kTracks);
    for (int t = 0; t < kTracks; ++t) {
        CMarkupElement track(QStringLiteral("track"), CMarkupElement::kStartTag);
        CMarkupFile::AddAttribute(track, QStringLiteral("title"),
                                  QStringLiteral("Track %1").arg(t));
        track.newline = true;
        m.AppendElement(std::move(track));
        addContainer(m, QStringLiteral("notes"), kNotes / kTracks);
        for (int i = 0; i < kNotes / kTracks; ++i) {
            CMarkupElement n(note, CMarkupElement::kEmptyElement);
            CMarkupFile::AddAttribute(n, time, i * 48 + (i % 3) * 1000000);
            CMarkupFile::AddAttribute(n, duration, 48 + (i % 4) * 24);
            CMarkupFile::AddAttribute(n, pitch, 36 + (i * 7) % 60);
            CMarkupFile::AddAttribute(n, velocity, 60 + i % 40);
            if (i % 5 == 0) CMarkupFile::AddAttribute(n, flags, 1 << (i % 9));
            m.AppendElement(std::move(n));
        }
        m.AddTag(CMarkupElement::kEndTag, QStringLiteral("notes"), true);
        addContainer(m, QStringLiteral("events"), kEvents / kTracks);
        for (int i = 0; i < kEvents / kTracks; ++i) {
            CMarkupElement e(event, CMarkupElement::kEmptyElement);
            CMarkupFile::AddAttribute(e, time, i * 192);
            CMarkupFile::AddAttribute(e, type, 7);
            CMarkupFile::AddAttribute(e, pitch, (36 + i % 60) << 16);
            CMarkupFile::AddAttribute(e, text,
                                      i % 2 ? QStringLiteral("la-") : QStringLiteral("Grüße"));
            CMarkupFile::AddAttribute(e, data0, i % 4);
            m.AppendElement(std::move(e));
        }
        m.AddTag(CMarkupElement::kEndTag, QStringLiteral("events"), true);
        m.AddTag(CMarkupElement::kEndTag, QStringLiteral("track"), true);
    }
    m.AddTag(CMarkupElement::kEndTag, QStringLiteral("tracks"), true);
    m.AddTag(CMarkupElement::kEndTag, QStringLiteral("score"), true);
    m.AddTag(CMarkupElement::kEndTag, QStringLiteral("keystaves"), true);
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("score.xml"));
    CMarkupFile document;
    Fixture() {
        buildScore(document);
        if (!document.Save(path, false)) std::abort();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_MarkupLoad(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        CMarkupFile m;
        if (!m.Load(f.path, 0)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(m.elementCount());
    }
    state.counters["MB"] = double(QFileInfo(f.path).size()) / 1e6;
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.path).size());
}
BENCHMARK(BM_MarkupLoad)->Unit(benchmark::kMillisecond);

// The same without the time to free the list afterwards.
void BM_MarkupLoadWithoutFreeing(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto m = std::make_unique<CMarkupFile>();
        if (!m->Load(f.path, 0)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(m->elementCount());
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
#ifdef __GLIBC__
    // Heap held by one loaded list, per element.
    const size_t before = mallinfo2().uordblks;
    auto m = std::make_unique<CMarkupFile>();
    m->Load(f.path, 0);
    m->elements().shrink_to_fit();
    const size_t after = mallinfo2().uordblks;
    state.counters["elements"] = m->elementCount();
    state.counters["heapBytesPerElement"] = double(after - before) / m->elementCount();
#endif
}
BENCHMARK(BM_MarkupLoadWithoutFreeing)->Unit(benchmark::kMillisecond);

void BM_MarkupSave(benchmark::State& state) {
    Fixture& f = fixture();
    const QString out = f.dir.filePath(QStringLiteral("saved.xml"));
    for (auto _ : state)
        if (!f.document.Save(out, false)) state.SkipWithError("save failed");
}
BENCHMARK(BM_MarkupSave)->Unit(benchmark::kMillisecond);

// Building the element list, as the score writer does before saving.
void BM_MarkupBuild(benchmark::State& state) {
    for (auto _ : state) {
        CMarkupFile m;
        buildScore(m);
        benchmark::DoNotOptimize(m.elementCount());
    }
}
BENCHMARK(BM_MarkupBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
