// Drawing a dense page: ten lines of sixteenths in both hands (with two-note chords
// in the left hand), stave and chords (DrawLine and DrawChords of each line), into a
// 150-dpi image as an export does, and the part of the page a window shows at 100%.
// The whole page (DrawPage: furniture, staves, chords and every event) is measured the
// same two ways on the same music with marks added: a lyric under every beat, fingering
// and staccato on every bar's first chord, a crescendo over every second bar, dynamics
// and a tempo mark.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "render/layout/FullRelayout.h"
#include "render/layout/LayoutUnit.h"
#include "render/layout/PageGeometry.h"
#include "render/draw/DrawContext.h"
#include "render/draw/Drawing.h"
#include "render/surface/PainterSurface.h"
#include "resources/MusicFont.h"

using namespace ks;

namespace {

constexpr int kLines = 10;
constexpr int kBarsPerLine = 3;
constexpr int kBar = 384;  // 4/4 at ppqn 96

// US Legal (8.5 x 14 inches) with half-inch margins: at the smallest music size ten
// lines of the two-octave stave fit on it.
const PageGeometry kPage{.width = 8500, .height = 14000};

// Sixteenths throughout: the right hand running over two octaves above middle C, the
// left hand in thirds below it.
CScore denseScore() {
    CScore s;
    s.makeNewDocument();
    CDisplaySettings& d = s.prefs;
    d.fontsize = kMinFontSize;
    d.stavetype = 1;
    d.barsperline = kBarsPerLine;
    d.showtitle = d.showsubtitle = d.showartist = d.showcopyright = false;
    d.hiderestsatstart = d.hiderestsatend = false;
    d.lyricposition = 1;
    d.colourmode = 4;
    s.unit = unitFor(d.fontsize);
    const int bars = kLines * kBarsPerLine;
    std::vector<CNote> right, left;
    for (int i = 0; i < bars * 16; ++i) {
        const int32_t t = i * 24;
        right.push_back({.time = t, .duration = 24, .pitch = 60 + (i * 5) % 12});
        const int32_t low = 48 + (i * 3) % 8;
        left.push_back({.time = t, .duration = 24, .pitch = low});
        if (i % 2 == 0) left.push_back({.time = t, .duration = 24, .pitch = low + 4});
    }
    s.tracks[0].notes.AddAll(std::move(right));
    s.tracks[1].notes.AddAll(std::move(left));
    s.setLength(bars * kBar);
    fullRelayout(s, kPage);
    return s;
}

// The dense score with marks on it, and its titles and footers shown.
CScore markedScore() {
    CScore s = denseScore();
    s.title = QStringLiteral("Dense Etude");
    s.artist = QStringLiteral("Benchmark");
    s.prefs.showtitle = s.prefs.showartist = true;
    const int bars = kLines * kBarsPerLine;
    for (int bar = 0; bar < bars; ++bar) {
        const int32_t start = bar * kBar;
        for (int beat = 0; beat < 4; ++beat) {
            CEvent lyric;
            lyric.type = EventType::Lyric;
            lyric.time = start + beat * 96;
            lyric.setKey(60);
            lyric.text = QStringLiteral("la-");
            s.tracks[0].addEvent(lyric);
        }
        CEvent marks;
        marks.type = EventType::NoteMarks;
        marks.time = start;
        marks.data[0] = NoteMark::Staccato | NoteMark::Finger1 | (NoteMark::Finger1 << 2);
        s.tracks[0].addEvent(marks);
        s.tracks[1].addEvent(marks);
        if (bar % 2 == 0) {
            CEvent wedge;
            wedge.type = EventType::Crescendo;
            wedge.time = start;
            wedge.data[0] = kBar;
            wedge.setKey(74);
            s.tracks[0].addEvent(wedge);
        }
        CEvent dynamic;
        dynamic.type = EventType::Annotation;
        dynamic.time = start;
        dynamic.setKey(74);
        dynamic.data[0] = 1;
        dynamic.text = QStringLiteral("&");  // mf
        s.annotationTrack.addEvent(dynamic);
    }
    fullRelayout(s, kPage);
    return s;
}

struct Page {
    CScore score = denseScore();
    int linesOnPage = 0;
    Page() {
        for (const CScoreLine& l : score.lines)
            if (l.page == 0) ++linesOnPage;
    }
};

void drawLines(CDrawContext& ctx) {
    for (int line = 0; line < ctx.lineCount(); ++line) {
        DrawLine(ctx, line);
        DrawChords(ctx, line);
    }
}

}  // namespace

static void BM_DensePage150dpi(benchmark::State& state) {
    const Page page;
    const double scale = 150 / 1000.0;
    QImage image(int(kPage.width * scale), int(kPage.height * scale), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(CSurface::Kind::Export, painter, scale);
        CDrawContext ctx(surface, page.score, CViewState{}, kPage);
        drawLines(ctx);
    }
    state.counters["lines"] = page.linesOnPage;
    state.counters["notes"] =
        static_cast<double>(page.score.tracks[0].notes.size() + page.score.tracks[1].notes.size()) *
        page.linesOnPage / kLines;
}
BENCHMARK(BM_DensePage150dpi)->Unit(benchmark::kMillisecond);

// A window at 100% zoom (100 pixels an inch) showing the top 8 x 6 inches of the page.
static void BM_DensePageScreenVisible(benchmark::State& state) {
    const Page page;
    const double scale = 100 / 1000.0;
    const QRect visible(0, 0, 8000, 6000);
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(CSurface::Kind::Screen, painter, scale, {}, visible);
        CDrawContext ctx(surface, page.score, CViewState{}, kPage);
        drawLines(ctx);
    }
}
BENCHMARK(BM_DensePageScreenVisible)->Unit(benchmark::kMillisecond);

// The whole first page with DrawPage, as an export draws it at 150 dpi.
static void BM_DrawPage150dpi(benchmark::State& state) {
    const CScore score = markedScore();
    const double scale = 150 / 1000.0;
    QImage image(int(kPage.width * scale), int(kPage.height * scale), QImage::Format_RGB32);
    int events = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(CSurface::Kind::Export, painter, scale);
        CDrawContext ctx(surface, score, CViewState{}, kPage);
        DrawPage(ctx);
        events = static_cast<int>(ctx.hitRects.size());
    }
    state.counters["lines"] = score.pages.empty() ? 0 : score.pages[0].lineCount;
    state.counters["events"] = events;
}
BENCHMARK(BM_DrawPage150dpi)->Unit(benchmark::kMillisecond);

// The part of the first page a window shows at 100% zoom, with DrawPage.
static void BM_DrawPageScreenVisible(benchmark::State& state) {
    const CScore score = markedScore();
    const double scale = 100 / 1000.0;
    const QRect visible(0, 0, 8000, 6000);
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterSurface surface(CSurface::Kind::Screen, painter, scale, {}, visible);
        CDrawContext ctx(surface, score, CViewState{}, kPage);
        DrawPage(ctx);
    }
}
BENCHMARK(BM_DrawPageScreenVisible)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!loadMusicFont()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
