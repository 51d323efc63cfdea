// The document view in Music and Track select mode: the long lines it lays out for
// itself, their painting (only the part that can be seen), and keeping the cursor in
// view.
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/DocumentLayout.h"
#include "app/KeystaveView.h"
#include "app/PlaybackControl.h"
#include "app/ZoomRules.h"
#include "render/draw/MusicView.h"
#include "render/draw/PlaybackOverlay.h"
#include "render/layout/LayoutUnit.h"
#include "render/layout/MusicLine.h"
#include "render/layout/TrackSelectLayout.h"
#include "render/surface/PainterSurface.h"
#include "render/surface/RecordingSurface.h"
#include "storage/KeystaveDoc.h"

namespace ks {

bool CKeystaveView::musicLike() const {
    return state_.mode == ViewMode::Music || state_.mode == ViewMode::TrackSelect;
}

void CKeystaveView::layOutViewLines() {
    CScore& score = doc_.score();
    const PageGeometry geometry = page();
    // The bars take their places along the long line; Track select stacks one such line
    // per track.
    const CScoreLine music = layoutMusicLine(score, geometry);
    if (state_.mode == ViewMode::TrackSelect)
        state_.lines = layoutTrackSelectLines(score, geometry);
    else
        state_.lines = {music};
}

QSize CKeystaveView::musicContentUnits() const {
    const PageGeometry geometry = page();
    const double u = layoutUnit(doc_.score());
    int64_t right = geometry.width, bottom = 0;
    for (const CScoreLine& line : state_.lines) {
        right = std::max<int64_t>(right, int64_t(line.right) + geometry.marginRight);
        bottom = std::max<int64_t>(
            bottom, line.staveBottom + int64_t(std::llround((line.spaceBelow + 8) * u)));
    }
    bottom += geometry.marginBottom;
    return QSize(static_cast<int>(std::min<int64_t>(right, 1 << 30)),
                 static_cast<int>(std::min<int64_t>(bottom, 1 << 30)));
}

QPoint CKeystaveView::unitsAt(QPoint pixel) const {
    const QPoint origin = pageOrigin();
    const int z = zoom();
    return QPoint(static_cast<int>(pixelsToUnits(pixel.x() - origin.x(), z)),
                  static_cast<int>(pixelsToUnits(pixel.y() - origin.y(), z)));
}

QRect CKeystaveView::pixelsOf(const QRect& units) const {
    return unitsToViewport(units);
}

QRect CKeystaveView::visibleUnits() const {
    const QRect client = viewport()->rect();
    const QPoint a = unitsAt(client.topLeft());
    const QPoint b = unitsAt(client.bottomRight() + QPoint(1, 1));
    return QRect(a, b);
}

CViewState CKeystaveView::drawnState(const QRect& units) const {
    const CScore& score = doc_.score();
    const CSelection& s = score.selection;
    CViewState view = state_;
    view.fileName = doc_.title();
    view.currentPart = s.hand;
    view.selectedNotes = s.notes;
    for (const CEventRef& r : s.objects)
        view.selectedEvents.emplace_back(r.track, r.index);
    if (s.currentObject.valid())
        view.selectedEvents.emplace_back(s.currentObject.track, s.currentObject.index);
    view.showCursor = state_.mode == ViewMode::Music;
    if (drag_.state == 1) {
        const QPoint a = unitsAt(drag_.press), b = unitsAt(drag_.current);
        view.rubberBand = QRect(a, b).normalized();
    }
    view.lines = visibleLineParts(score, state_.lines, units.left(), units.right());
    return view;
}

void CKeystaveView::paintMusic(QPainter& painter, const QRect& dirty) {
    const int z = zoom();
    const QPoint origin = pageOrigin();
    const QRect content(origin, scrollSize());
    const QRect visiblePixels = dirty.intersected(content);
    if (visiblePixels.isEmpty()) return;
    const QRect units = beginPainting(painter, visiblePixels);
    PainterSurface surface(CSurface::Kind::Screen, painter, z / 1000.0, QPointF(origin), units);
    const CViewState view = drawnState(units);
    CDrawContext ctx(surface, doc_.score(), view, page());
    surface.fillRect(units, ctx.paper);
    DrawMusicView(ctx);
    DrawPlaybackOverlay(ctx, overlay_);
    painter.restore();
}

QRect CKeystaveView::cursorPixels() const {
    if (state_.mode != ViewMode::Music) return {};
    RecordingSurface surface(CSurface::Kind::Screen);
    const CDrawContext ctx(surface, doc_.score(), state_, page());
    const QRect box = cursorBoxRect(ctx);
    return box.isEmpty() ? QRect() : unitsToViewport(box);
}

void CKeystaveView::keepInside(QScrollBar* bar, int low, int high, int margin, int client) {
    // Past the far margin: scroll until the far edge sits at it; then, before the near
    // margin: until the near edge sits at it (so a target larger than the space between
    // the margins shows its start).
    int delta = 0;
    if (high > client - margin) delta = high - (client - margin);
    if (low - delta < margin) delta = low - margin;
    if (delta != 0) bar->setValue(bar->value() + delta);
}

void CKeystaveView::ensureCursorVisible(bool followPlayback) {
    if (followPlayback || state_.mode != ViewMode::Music) {
        if (ensurePlaybackCursorVisible()) viewport()->update();
        return;
    }
    const QRect target = cursorPixels();
    if (target.isEmpty()) return;
    const QSize client = viewport()->size();
    keepInside(horizontalScrollBar(), target.left(), target.right(), client.width() / 8,
               client.width());
    keepInside(verticalScrollBar(), target.top(), target.bottom(), client.height() / 8,
               client.height());
}

void CKeystaveView::selectionChanged() {
    ensureCursorVisible();
    viewport()->update();
}

void CKeystaveView::scoreEdited() {
    doc_.MarkModified();
    layOutDocument(doc_.score(), doc_.printer());
    documentChanged();
    ensureCursorVisible();
}

}  // namespace ks
