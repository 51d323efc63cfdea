#include "NotesTestUtil.h"

#include <QPainter>

#include "render/layout/LayoutUnit.h"
#include "render/layout/StaveGeometry.h"
#include "render/surface/PainterSurface.h"

namespace ks::test {

CScore drawingScore(int bars, std::initializer_list<TestNote> notes,
                    std::initializer_list<int> parts) {
    CScore s = plainScore(bars, notes);
    s.prefs.fontsize = kFontSize;
    s.unit = unitFor(kFontSize);
    s.prefs.colourmode = 0;
    for (int p = 0; p < kPartCount; ++p)
        if (std::find(parts.begin(), parts.end(), p) == parts.end()) s.parts[size_t(p)] = 0;
    return s;
}

void layOut(CScore& score) {
    fullRelayout(score, a4Page());
}

namespace {

void drawPageLines(CDrawContext& ctx, bool chords) {
    for (int line = 0; line < ctx.lineCount(); ++line) {
        DrawLine(ctx, line);
        if (chords) DrawChords(ctx, line);
    }
}

}  // namespace

std::unique_ptr<RecordingSurface> record(const CScore& score, const CViewState& view, bool chords,
                                         CSurface::Kind kind, QRect visible) {
    auto surface = std::make_unique<RecordingSurface>(kind, visible);
    CDrawContext ctx(*surface, score, view, a4Page());
    drawPageLines(ctx, chords);
    return surface;
}

QImage renderPage(const CScore& score, int dpi, const CViewState& view) {
    const PageGeometry page = a4Page();
    const double scale = dpi / 1000.0;
    QImage image(int(page.width * scale + 0.5), int(page.height * scale + 0.5),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        PainterSurface surface(CSurface::Kind::Export, painter, scale);
        CDrawContext ctx(surface, score, view, page);
        drawPageLines(ctx, true);
    }
    painter.end();
    return image;
}

int32_t yOf(const CScore& score, int line, int32_t pitch) {
    CScoreLine l = score.line(line);
    l.handGap = handGapFor(score.prefs, l);
    return pitchToY(l, layoutUnit(score), pitch);
}

std::vector<DrawnItem> inElement(const RecordingSurface& s, DrawnItem::Type type,
                                 const QString& element) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : s.items())
        if (i.type == type && i.element == element) out.push_back(i);
    return out;
}

std::vector<DrawnItem> horizontalsAt(const RecordingSurface& s, int32_t y,
                                     const QString& elementKind) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : s.itemsOf(DrawnItem::Type::Line, elementKind))
        if (i.points[0].y() == y && i.points[1].y() == y) out.push_back(i);
    return out;
}

}  // namespace ks::test
