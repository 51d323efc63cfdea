#include "PageFurniture.h"

#include <QRegularExpression>

#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/layout/LayoutMath.h"
#include "render/draw/DrawTextIds.h"
#include "render/draw/Drawing.h"
#include "render/draw/EventPlacement.h"
#include "render/draw/TextFonts.h"

namespace ks {

namespace {

// The grid of Page and Layout mode: one line per inch.
constexpr int32_t kGridStep = 1000;
constexpr int kGridBorderWidth = 10;

bool placed(const CTextBox& box) {
    return box.bottom > box.top;
}

// Height of a box's text: one cell of its font per line.
int64_t textHeight(const CDrawContext& ctx, const CTextBox& box, const FontSpec& font) {
    const int64_t lines = std::max<qsizetype>(textBoxLines(box).size(), 1);
    return lines * roundToInt(ctx.surface.cellHeight(font));
}

// Fills the empty parts of a box: its text, its width (the margins) and, for a box never
// placed, a rectangle from `top` at least `minHeight` high.
CTextBox completeBox(const CDrawContext& ctx, CTextBox box, const QString& fallbackText,
                     int32_t top, int32_t minHeight, const FontSpec& font) {
    if (box.text.isEmpty() && box.lines.isEmpty()) box.text = fallbackText;
    if (box.right <= box.left) {
        box.left = ctx.page.left();
        box.right = ctx.page.right();
    }
    if (!placed(box)) {
        box.top = top;
        box.bottom =
            saturate(int64_t(top) + std::max<int64_t>(textHeight(ctx, box, font), minHeight));
    }
    return box;
}

void drawText(CDrawContext& ctx, int element, QPoint at, const QString& text, const FontSpec& font,
              int align) {
    ctx.surface.beginElement(QStringLiteral("text"), element);
    ctx.surface.drawText(at, text, font, Qt::black, align);
    ctx.surface.endElement();
}

}  // namespace

QStringList textBoxLines(const CTextBox& box) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r|\\|"));
    const QString text = box.text.isEmpty() ? box.lines.join(u'\n') : box.text;
    return text.isEmpty() ? QStringList() : text.split(breaks);
}

CTextBox drawnTitleBox(const CDrawContext& ctx) {
    // An unplaced title takes the room the page layout keeps for it.
    return completeBox(ctx, ctx.score.titleBox, ctx.score.title, ctx.page.top(), ctx.units(24),
                       titleFont(ctx));
}

CTextBox drawnSubtitleBox(const CDrawContext& ctx) {
    // An unplaced subtitle follows the title box, as the page layout stacks them.
    return completeBox(ctx, ctx.score.subtitleBox, ctx.score.subtitle, drawnTitleBox(ctx).bottom, 0,
                       subtitleFont(ctx));
}

void DrawTextBox(CDrawContext& ctx, const CTextBox& box, const FontSpec& font) {
    const int32_t x = saturate((int64_t(box.left) + box.right) / 2);
    const double lineHeight = ctx.surface.cellHeight(font);
    double y = box.top;
    for (const QString& line : textBoxLines(box)) {
        ctx.surface.drawText(pagePoint(x, y), line, font, Qt::black,
                             TextAlign::Centre | TextAlign::Top);
        y += lineHeight;
    }
}

void drawScreenGuides(CDrawContext& ctx) {
    if (!ctx.surface.isScreen() || !ctx.view.pageOrLayout()) return;
    const double left = ctx.page.left(), top = ctx.page.top();
    const double right = ctx.page.right(), bottom = ctx.page.bottom();
    if (ctx.view.mode == ViewMode::Layout) {
        const double reach = ctx.units(4);
        const Pen dotted{.colour = Qt::black, .width = 1, .style = PenStyle::Dotted};
        ctx.surface.beginElement(QStringLiteral("margin"), 0);
        ctx.surface.drawLine(pagePoint(left, top - reach), pagePoint(left, bottom + reach), dotted);
        ctx.surface.drawLine(pagePoint(right, top - reach), pagePoint(right, bottom + reach),
                             dotted);
        ctx.surface.drawLine(pagePoint(left - reach, top), pagePoint(right + reach, top), dotted);
        ctx.surface.drawLine(pagePoint(left - reach, bottom), pagePoint(right + reach, bottom),
                             dotted);
        ctx.surface.endElement();
    }
    if (!ctx.view.grid) return;
    // Page sizes come from the printer record's 16-bit paper sizes, so a page holds a few
    // hundred grid lines at most.
    const Pen dotted{.colour = ctx.grid, .width = 1, .style = PenStyle::Dotted};
    ctx.surface.beginElement(QStringLiteral("grid"), 0);
    const int64_t firstX = (int64_t(ctx.page.left()) + kGridStep - 1) / kGridStep * kGridStep;
    for (int64_t x = firstX; x <= ctx.page.right(); x += kGridStep)
        ctx.surface.drawLine(pagePoint(x, top), pagePoint(x, bottom), dotted);
    const int64_t firstY = (int64_t(ctx.page.top()) + kGridStep - 1) / kGridStep * kGridStep;
    for (int64_t y = firstY; y <= ctx.page.bottom(); y += kGridStep)
        ctx.surface.drawLine(pagePoint(left, y), pagePoint(right, y), dotted);
    const Pen border{.colour = ctx.grid, .width = kGridBorderWidth};
    ctx.surface.drawPolyline({pagePoint(left, top), pagePoint(right, top), pagePoint(right, bottom),
                              pagePoint(left, bottom), pagePoint(left, top)},
                             border);
    ctx.surface.endElement();
}

void drawPageFurniture(CDrawContext& ctx) {
    const CScore& s = ctx.score;
    const CDisplaySettings& prefs = s.prefs;
    const PageGeometry& p = ctx.page;
    const int page = ctx.view.page;
    const FontSpec& small = ctx.smallText;
    const TextMetrics smallMetrics = ctx.surface.measure(small, QString());
    const int32_t ascent = roundToInt(smallMetrics.ascent);

    if (page == 0) {
        const CTextBox title = drawnTitleBox(ctx);
        if (prefs.showtitle) {
            ctx.surface.beginElement(QStringLiteral("text"), PageText::Title);
            DrawTextBox(ctx, title, titleFont(ctx));
            ctx.surface.endElement();
            if (prefs.showsubtitle) {
                ctx.surface.beginElement(QStringLiteral("text"), PageText::Subtitle);
                DrawTextBox(ctx, drawnSubtitleBox(ctx), subtitleFont(ctx));
                ctx.surface.endElement();
            }
        }
        if (prefs.showcopyright && !s.copyright.isEmpty()) {
            const int64_t y = int64_t(p.bottom()) - ctx.units(6.0 - prefs.textoffset3) - ascent;
            drawText(ctx, PageText::Copyright,
                     pagePoint(double((int64_t(p.left()) + p.right()) / 2), y),
                     formatText(text(DrawTextId::Copyright), {s.copyright}), small,
                     TextAlign::Centre | TextAlign::Top);
        }
        if (prefs.showartist && !s.artist.isEmpty()) {
            const int64_t y = prefs.showtitle
                                  ? int64_t(title.bottom) + ctx.units(prefs.textoffset1)
                                  : int64_t(p.top()) + ascent + ctx.units(prefs.textoffset1);
            drawText(ctx, PageText::Artist, pagePoint(p.right(), y), s.artist, small,
                     TextAlign::Right | TextAlign::Top);
        }
    }

    // The footer line: the top of the page's bottom text line.
    int64_t footer = int64_t(p.bottom()) - roundToInt(smallMetrics.height());
    if (page > 0 && prefs.showpagenumbers) {
        const int count = static_cast<int>(s.pages.size());
        drawText(ctx, PageText::PageNumber, pagePoint(p.right(), footer),
                 formatText(text(DrawTextId::PageOfPages), {int64_t(page) + 1, int64_t(count)}),
                 small, TextAlign::Right | TextAlign::Top);
    }
    if (prefs.showfilename && !ctx.view.fileName.isEmpty()) {
        drawText(ctx, PageText::FileName, pagePoint(p.left(), footer), ctx.view.fileName, small,
                 TextAlign::Left | TextAlign::Top);
        footer -= ctx.step + ascent;
    }
    if (page > 0 && prefs.showtitle) {
        const QString title = s.title.isEmpty() ? textBoxLines(s.titleBox).join(u' ') : s.title;
        drawText(ctx, PageText::RunningTitle, pagePoint(p.left(), footer), title, small,
                 TextAlign::Left | TextAlign::Top);
    }
}

}  // namespace ks
