#include "app/KeystaveView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "app/AppTextIds.h"
#include "app/CommandIds.h"
#include "app/DocumentLayout.h"
#include "app/PageBackground.h"
#include "app/PlaybackControl.h"
#include "app/PlaybackTextIds.h"
#include "app/ViewModeRules.h"
#include "app/ZoomDialog.h"
#include "app/ZoomRules.h"
#include "edit/SelectionOps.h"
#include "model/PlaybackStatus.h"
#include "model/PlaybackTempo.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "render/surface/PainterSurface.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The grey around the page, where the window is wider or taller than the page.
const QColor kDesk(128, 128, 128);

}  // namespace

CKeystaveView::CKeystaveView(CKeystaveDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc) {
    state_.mode = ViewMode::Page;
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
    updateScrollBars();
}

PageGeometry CKeystaveView::page() const {
    return documentPage(doc_.printer());
}

int CKeystaveView::zoom() const {
    return clampZoom(doc_.score().prefs.zoom);
}

int CKeystaveView::pageCount() const {
    return std::max<int>(1, static_cast<int>(doc_.score().pages.size()));
}

QSize CKeystaveView::scrollSize() const {
    if (musicLike()) {
        const QSize units = musicContentUnits();
        return QSize(unitsToPixels(units.width(), zoom()), unitsToPixels(units.height(), zoom()));
    }
    return pageScrollSize(page(), zoom());
}

QPoint CKeystaveView::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CKeystaveView::updateScrollBars() {
    const QSize total = scrollSize();
    const QSize client = viewport()->size();
    // Line and page steps as a scrolling view has them: a hundredth and a tenth of the
    // whole, the page step at most the visible part.
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, total.width() - client.width()));
    h->setPageStep(std::max(1, std::min(client.width(), total.width() / 10)));
    h->setSingleStep(std::max(1, total.width() / 100));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, total.height() - client.height()));
    v->setPageStep(std::max(1, std::min(client.height(), total.height() / 10)));
    v->setSingleStep(std::max(1, total.height() / 100));
}

QPoint CKeystaveView::pageOrigin() const {
    const QSize total = scrollSize();
    const QSize client = viewport()->size();
    const int x = total.width() < client.width() ? (client.width() - total.width()) / 2
                                                 : -horizontalScrollBar()->value();
    const int y = total.height() < client.height() ? (client.height() - total.height()) / 2
                                                   : -verticalScrollBar()->value();
    return {x, y};
}

void CKeystaveView::setPage(int page) {
    page = std::clamp(page, 0, pageCount() - 1);
    if (page == state_.page) return;
    state_.page = page;
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void CKeystaveView::setZoom(int zoom) {
    zoom = clampZoom(zoom);
    if (zoom == this->zoom() && zoom == doc_.score().prefs.zoom) return;
    // The point at the middle of the window stays where it is.
    const QPoint middle(viewport()->width() / 2, viewport()->height() / 2);
    const QPoint origin = pageOrigin();
    const int old = this->zoom();
    const int64_t ux = pixelsToUnits(middle.x() - origin.x(), old);
    const int64_t uy = pixelsToUnits(middle.y() - origin.y(), old);
    doc_.score().prefs.zoom = zoom;
    updateScrollBars();
    horizontalScrollBar()->setValue(unitsToPixels(ux, zoom) - middle.x());
    verticalScrollBar()->setValue(unitsToPixels(uy, zoom) - middle.y());
    if (state_.mode == ViewMode::Music) ensureCursorVisible();
    viewport()->update();
}

void CKeystaveView::documentChanged() {
    // A relayout of the pages put the bars back in their page positions.
    if (musicLike()) layOutViewLines();
    keepSelectionValid(doc_.score());
    state_.page = std::clamp(state_.page, 0, pageCount() - 1);
    updateScrollBars();
    overlay_ = currentOverlay();
    viewport()->update();
}

QString CKeystaveView::paneText(int pane) const {
    const CScore& score = doc_.score();
    const bool music = state_.mode == ViewMode::Music;
    switch (pane) {
        case Pane::Mode:
            return modePaneText(state_.mode, score.selection.mode);
        case Pane::Page:
            if (musicLike()) return QString();
            return formatText(text(StringId::PagePane),
                              {int64_t(state_.page + 1), int64_t(pageCount())});
        case Pane::Editing: {
            // Only Music mode names the track being edited.
            const int t = score.trackOfPart(score.selection.hand);
            if (!music || t < 0) return QString();
            return formatText(text(StringId::EditingPane), {score.track(t).title});
        }
        case Pane::Position: {
            // Music mode shows the cursor, other modes (and a playing score) the playback
            // position.
            const bool playing = playback_ && playback_->isPlaying(&score);
            const int32_t tick = music && !playing
                                     ? score.selection.timestart
                                     : score.playbackMap.PlayToScore(score.playbackCursor);
            return statusPositionText(score, tick, text(StringId::PositionPane));
        }
        case Pane::Time: {
            const CScore& score = doc_.score();
            return statusTimeText(score, score.playbackMap, score.playbackCursor,
                                  text(PlaybackText::TimePane));
        }
        case Pane::Tempo:
            return statusTempoText(playbackTempo(doc_.score()), text(StringId::TempoPane));
        default:
            return QString();
    }
}

std::optional<CommandState> CKeystaveView::commandState(int id) {
    if (playbackCommand(id)) return CommandState{playback_ != nullptr};
    if (std::optional<CommandState> state = musicCommandState(id)) return state;
    if (std::optional<CommandState> state = noteCommandState(id)) return state;
    const bool pageLike = state_.mode == ViewMode::Page || state_.mode == ViewMode::Layout;
    switch (id) {
        case Cmd::PageMode:
            return CommandState{true, state_.mode == ViewMode::Page, true};
        case Cmd::LayoutMode:
            return CommandState{true, state_.mode == ViewMode::Layout, true};
        case Cmd::NextPage:
            return CommandState{pageLike && state_.page + 1 < pageCount()};
        case Cmd::PreviousPage:
            return CommandState{pageLike && state_.page > 0};
        case Cmd::Zoom50:
        case Cmd::Zoom100:
        case Cmd::Zoom200:
        case Cmd::Zoom400:
        case Cmd::ZoomPageWidth:
        case Cmd::ZoomFullPage:
        case Cmd::ZoomCustom:
            return CommandState{};
        case Cmd::GridLines:
            return CommandState{pageLike, state_.grid, true};
        default:
            return std::nullopt;
    }
}

void CKeystaveView::runCommand(int id) {
    if (runMusicCommand(id)) return;
    if (runNoteCommand(id)) return;
    switch (id) {
        case Cmd::Rewind:
        case Cmd::StepBack:
            stepPlaybackCursor(-1);
            break;
        case Cmd::FastForward:
        case Cmd::StepForward:
            stepPlaybackCursor(1);
            break;
        case Cmd::PageMode:
            setViewMode(ViewMode::Page);
            break;
        case Cmd::LayoutMode:
            setViewMode(ViewMode::Layout);
            break;
        case Cmd::NextPage:
            setPage(state_.page + 1);
            break;
        case Cmd::PreviousPage:
            setPage(state_.page - 1);
            break;
        case Cmd::Zoom50:
            setZoom(50);
            break;
        case Cmd::Zoom100:
            setZoom(100);
            break;
        case Cmd::Zoom200:
            setZoom(200);
            break;
        case Cmd::Zoom400:
            setZoom(400);
            break;
        case Cmd::ZoomPageWidth:
            setZoom(zoomForPageWidth(viewport()->width(), page()));
            break;
        case Cmd::ZoomFullPage:
            setZoom(zoomForFullPage(viewport()->height(), page()));
            break;
        case Cmd::ZoomCustom:
            askCustomZoom();
            break;
        case Cmd::GridLines:
            state_.grid = !state_.grid;
            viewport()->update();
            break;
        default:
            break;
    }
}

void CKeystaveView::askCustomZoom() {
    CZoomDialog dialog(zoom(), this);
    if (dialog.exec() == QDialog::Accepted) setZoom(dialog.zoom());
}

void CKeystaveView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CKeystaveView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CKeystaveView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int steps = (std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x());
    if (steps == 0) return;
    event->accept();
    const bool pageLike = state_.mode == ViewMode::Page || state_.mode == ViewMode::Layout;
    // On the pages, Ctrl+wheel zooms, as in every document viewer.
    if (pageLike && (event->modifiers() & Qt::ControlModifier)) {
        setZoom(wheelZoom(zoom(), steps));
        return;
    }
    const bool vertical = pageLike || (event->modifiers() & Qt::ControlModifier);
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    // Page mode shows one page at a time: a notch past its bottom turns to the top of the
    // next page, one past its top to the bottom of the previous one.
    if (state_.mode == ViewMode::Page) {
        const bool atEnd =
            steps < 0 ? bar->value() >= bar->maximum() : bar->value() <= bar->minimum();
        const int next = state_.page + (steps < 0 ? 1 : -1);
        if (atEnd && next >= 0 && next < pageCount()) {
            wheelPastEdge_ += steps;
            if (std::abs(wheelPastEdge_) >= 120) {
                wheelPastEdge_ = 0;
                setPage(next);
                bar->setValue(steps < 0 ? bar->minimum() : bar->maximum());
            }
            return;
        }
    }
    wheelPastEdge_ = 0;
    // The system's wheel lines times the line size, at most one page, per notch.
    const int lines = QApplication::wheelScrollLines();
    const int distance = std::min(lines * bar->singleStep(), bar->pageStep());
    bar->setValue(bar->value() - steps * distance / 120);
}

int CKeystaveView::lineAt(int64_t pageY) const {
    const CScore& score = doc_.score();
    int best = -1;
    int64_t bestDistance = 0;
    for (int i = 0; i < static_cast<int>(score.lines.size()); ++i) {
        const CScoreLine& line = score.lines[static_cast<size_t>(i)];
        if (line.page != state_.page) continue;
        const int64_t distance = pageY < line.staveTop      ? line.staveTop - pageY
                                 : pageY > line.staveBottom ? pageY - line.staveBottom
                                                            : 0;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void CKeystaveView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && state_.mode == ViewMode::Music) {
        musicPress(event);
        return;
    }
    if (event->button() == Qt::LeftButton && state_.mode == ViewMode::TrackSelect) {
        trackSelectPress(event);
        return;
    }
    if (state_.mode != ViewMode::Layout || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const int64_t y = pixelsToUnits(event->position().toPoint().y() - pageOrigin().y(), zoom());
    const int line = lineAt(y);
    if (line >= 0 && line != doc_.score().selection.layoutindex) {
        doc_.score().selection.layoutindex = line;
        viewport()->update();
    }
    event->accept();
}

void CKeystaveView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kDesk);
    if (musicLike())
        paintMusic(painter, event->rect());
    else
        paintPage(painter, event->rect());
    painter.end();
    if (painted) painted();
}

QRect CKeystaveView::beginPainting(QPainter& painter, const QRect& pixels) const {
    painter.save();
    painter.setClipRect(pixels);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const int z = zoom();
    const QPoint origin = pageOrigin();
    return QRect(int(pixelsToUnits(pixels.left() - origin.x(), z)),
                 int(pixelsToUnits(pixels.top() - origin.y(), z)),
                 int(pixelsToUnits(pixels.width(), z)) + 2,
                 int(pixelsToUnits(pixels.height(), z)) + 2);
}

void CKeystaveView::paintPage(QPainter& painter, const QRect& dirty) {
    const int z = zoom();
    const QPoint origin = pageOrigin();
    const PageGeometry geometry = page();
    const QRect pageRect(origin, scrollSize());
    // A shadow, then the page itself.
    painter.fillRect(pageRect.translated(3, 3).intersected(dirty), QColor(90, 90, 90));
    const QRect visiblePixels = dirty.intersected(pageRect);
    if (visiblePixels.isEmpty()) return;
    const QRect visibleUnits = beginPainting(painter, visiblePixels);
    PainterSurface surface(CSurface::Kind::Screen, painter, z / 1000.0, QPointF(origin),
                           visibleUnits);
    CViewState view = state_;
    view.fileName = doc_.title();
    CDrawContext ctx(surface, doc_.score(), view, geometry);
    paintPageContents(ctx);
    DrawPlaybackOverlay(ctx, overlay_);
    painter.restore();
}

}  // namespace ks
