// MusicXML: importing a 10,000-note two-staff piano score from a compressed ".mxl" file
// into a laid-out document, and exporting the 100,000-note benchmark score as ".xml" and
// as ".mxl".
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "edit/MusicXmlLayoutSource.h"
#include "interchange/MusicXmlContainer.h"
#include "interchange/MusicXmlExport.h"
#include "interchange/MusicXmlImport.h"
#include "render/layout/FullRelayout.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

// A piano part of two staves, 625 bars of 4/4: eighth-note runs with slurs, lyrics and a
// dynamic now and then over the upper staff, two-note chords in quarters below, a tie
// across every fourth bar line. 16 notes a bar, 10,000 in all.
QByteArray pianoScore(int bars = 625) {
    static const char* steps[] = {"C", "D", "E", "F", "G", "A", "B"};
    QByteArray x =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE score-partwise PUBLIC "
        "\"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">\n<score-partwise version=\"3.1\">\n"
        "<work><work-title>Benchmark Etude</work-title></work>\n<part-list><score-part "
        "id=\"P1\"><part-name>Piano</part-name></score-part></part-list>\n<part id=\"P1\">\n";
    for (int b = 0; b < bars; ++b) {
        x += "<measure number=\"" + QByteArray::number(b + 1) + "\">";
        if (b == 0)
            x += "<attributes><divisions>2</divisions><key><fifths>1</fifths></key><time>"
                 "<beats>4</beats><beat-type>4</beat-type></time><staves>2</staves>"
                 "<clef number=\"1\"><sign>G</sign><line>2</line></clef><clef number=\"2\">"
                 "<sign>F</sign><line>4</line></clef></attributes>";
        if (b % 8 == 0)
            x += "<direction placement=\"below\"><direction-type><dynamics><mf/></dynamics>"
                 "</direction-type><staff>1</staff></direction>";
        for (int i = 0; i < 8; ++i) {
            const int s = (b * 3 + i) % 7;
            x += "<note><pitch><step>" + QByteArray(steps[s]) +
                 "</step><octave>5</octave>"
                 "</pitch><duration>1</duration><voice>1</voice><type>eighth</type>"
                 "<staff>1</staff>";
            if (i == 0) x += "<notations><slur type=\"start\" number=\"1\"/></notations>";
            if (i == 7) x += "<notations><slur type=\"stop\" number=\"1\"/></notations>";
            if (i % 2 == 0) x += "<lyric number=\"1\"><text>la</text></lyric>";
            x += "</note>";
        }
        x += "<backup><duration>8</duration></backup>";
        for (int q = 0; q < 4; ++q) {
            const bool tieOut = b % 4 == 3 && q == 3;
            const bool tieIn = b % 4 == 0 && b > 0 && q == 0;
            for (int k = 0; k < 2; ++k) {
                x += "<note>";
                if (k == 1) x += "<chord/>";
                x += "<pitch><step>" + QByteArray(steps[(b + 2 * k) % 7]) +
                     "</step><octave>3"
                     "</octave></pitch><duration>2</duration>";
                if (tieIn) x += "<tie type=\"stop\"/>";
                if (tieOut) x += "<tie type=\"start\"/>";
                x += "<voice>5</voice><type>quarter</type><staff>2</staff></note>";
            }
        }
        x += "</measure>\n";
    }
    return x + "</part>\n</score-partwise>\n";
}

struct Files {
    QTemporaryDir dir;
    QString mxl = dir.filePath(QStringLiteral("etude.mxl"));
    Files() {
        const QString xml = dir.filePath(QStringLiteral("etude.xml"));
        QFile f(xml);
        if (f.open(QIODevice::WriteOnly)) f.write(pianoScore());
        f.close();
        buildMusicXmlContainer(xml, mxl);
    }
};

Files& files() {
    static Files f;
    return f;
}

}  // namespace

static void BM_ImportPianoMxlIntoLaidOutScore(benchmark::State& state) {
    const PageGeometry page = pageGeometryFor({});
    int64_t notes = 0;
    for (auto _ : state) {
        CScore score;
        score.applyBuiltInDefaults();
        if (!importMusicXmlFile(files().mxl, score).ok) state.SkipWithError("import failed");
        fullRelayout(score, page);
        notes = 0;
        for (const CTrack& t : score.tracks)
            notes += t.notes.size();
        benchmark::DoNotOptimize(score.pages.size());
    }
    state.counters["notes"] = double(notes);
}
BENCHMARK(BM_ImportPianoMxlIntoLaidOutScore)->Unit(benchmark::kMillisecond);

static void BM_ExportBenchmarkScore(benchmark::State& state) {
    static CScore score = [] {
        CScore s = bench::makeBenchmarkScore();
        fullRelayout(s, pageGeometryFor({}));
        return s;
    }();
    const PageGeometry page = pageGeometryFor({});
    const QString out = files().dir.filePath(state.range(0) ? QStringLiteral("out.mxl")
                                                            : QStringLiteral("out.xml"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportMusicXml(score, out, LaidOutMusicXmlLayout(score, page)).ok);
    int64_t notes = 0;
    for (const CTrack& t : score.tracks)
        notes += t.notes.size();
    state.counters["notes"] = double(notes);
}
BENCHMARK(BM_ExportBenchmarkScore)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
