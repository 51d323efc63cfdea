// The document view's part in playback: following the play position with the playback
// cursor, the overlay of the cursor line and the sounding notes, the commands that move
// the cursor, and the keys that play and stop.
#include <QKeyEvent>
#include <QRegion>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/PlaybackControl.h"
#include "app/ZoomRules.h"
#include "model/PlaybackStatus.h"
#include "playback/MidiInputHandler.h"
#include "render/surface/RecordingSurface.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// Room around overlay rectangles for antialiased edges, in pixels.
constexpr int kOverlayPixelMargin = 2;
// Layout keeps page units within +-2^30; pixels are kept there as well.
constexpr double kLimit = 1 << 30;

}  // namespace

void CKeystaveView::setPlayback(PlaybackControl* playback) {
    playback_ = playback;
    refreshPlaybackOverlay();
}

PlaybackOverlay CKeystaveView::currentOverlay() const {
    PlaybackOverlay overlay;
    if (!playback_) return overlay;
    const CScore& score = doc_.score();
    const bool playing = playback_->isPlaying(&score);
    const int32_t style = score.prefs.cursorstyle;
    // The line shows in styles "Vertical line" and "Both", and in "Highlight Notes" while
    // nothing plays; the notes are highlighted in "Highlight Notes" and "Both".
    if (style != 1 || !playing)
        overlay.cursorTick = score.playbackMap.PlayToScore(score.playbackCursor);
    if (playing && (style == 1 || style == 2)) overlay.heads = playback_->soundingHeads();
    return overlay;
}

QRect CKeystaveView::unitsToViewport(const QRect& units) const {
    const int z = zoom();
    const QPoint origin = pageOrigin();
    const auto px = [z](int64_t v) {
        return int(std::clamp(std::floor(double(v) * z / 1000.0), -kLimit, kLimit));
    };
    const auto pxUp = [z](int64_t v) {
        return int(std::clamp(std::ceil(double(v) * z / 1000.0), -kLimit, kLimit));
    };
    const QPoint topLeft(origin.x() + px(units.left()), origin.y() + px(units.top()));
    const QPoint bottomRight(origin.x() + pxUp(int64_t(units.left()) + units.width()),
                             origin.y() + pxUp(int64_t(units.top()) + units.height()));
    return QRect(topLeft, bottomRight).normalized();
}

std::vector<QRect> CKeystaveView::overlayPixels(const PlaybackOverlay& overlay) const {
    // Measuring is the same on every surface, so a recording one serves for geometry.
    RecordingSurface surface(CSurface::Kind::Screen);
    const CDrawContext ctx(surface, doc_.score(), state_, page());
    std::vector<QRect> pixels;
    for (const QRect& r : playbackOverlayRects(ctx, overlay))
        pixels.push_back(unitsToViewport(r).adjusted(-kOverlayPixelMargin, -kOverlayPixelMargin,
                                                     kOverlayPixelMargin, kOverlayPixelMargin));
    return pixels;
}

QRect CKeystaveView::playbackCursorPixels() const {
    if (overlay_.cursorTick < 0) return {};
    RecordingSurface surface(CSurface::Kind::Screen);
    const CDrawContext ctx(surface, doc_.score(), state_, page());
    const QRect r = playbackCursorRect(ctx, overlay_.cursorTick);
    return r.isEmpty() ? QRect() : unitsToViewport(r);
}

void CKeystaveView::refreshPlaybackOverlay() {
    const PlaybackOverlay now = currentOverlay();
    if (now == overlay_) return;
    QRegion dirty;
    for (const QRect& r : overlayPixels(overlay_))
        dirty += r;
    overlay_ = now;
    for (const QRect& r : overlayPixels(overlay_))
        dirty += r;
    if (!dirty.isEmpty()) viewport()->update(dirty);
}

bool CKeystaveView::ensurePlaybackCursorVisible() {
    const CScore& score = doc_.score();
    const int32_t tick = score.playbackMap.PlayToScore(score.playbackCursor);
    RecordingSurface surface(CSurface::Kind::Screen);
    bool whole = false;
    {
        const CDrawContext ctx(surface, score, state_, page());
        const int line = playbackCursorLine(ctx, tick);
        if (line < 0) return false;
        // Page and Layout mode show one page: the one holding the cursor's line.
        const int linePage = ctx.lineRecord(line).page;
        if (state_.pageOrLayout() && linePage != state_.page && linePage >= 0 &&
            linePage < pageCount()) {
            state_.page = linePage;
            verticalScrollBar()->setValue(0);
            whole = true;
        }
    }
    const CDrawContext ctx(surface, score, state_, page());
    const QRect units = playbackCursorRect(ctx, tick);
    if (units.isEmpty()) return whole;
    const QRect target = unitsToViewport(units);
    const QPoint before = scrollPosition();
    const QSize client = viewport()->size();
    // While playing in Music and Track select mode the cursor keeps half the width from
    // the edges, so the music ahead stays in view longer.
    const bool playing = playback_ && playback_->isPlaying(&score);
    const int margin = client.width() / (playing && !state_.pageOrLayout() ? 2 : 8);
    keepInside(horizontalScrollBar(), target.left(), target.right(), margin, client.width());
    if (state_.pageOrLayout() || !playing)
        keepInside(verticalScrollBar(), target.top(), target.bottom(), client.height() / 8,
                   client.height());
    return whole || scrollPosition() != before;
}

void CKeystaveView::followPlayback(int32_t playTime) {
    CScore& score = doc_.score();
    if (!playback_ || !playback_->isPlaying(&score)) return;
    const int32_t cursor =
        followCursorTime(score, score.playbackMap, playTime, score.prefs.cursorstep);
    bool whole = false;
    if (cursor != score.playbackCursor) {
        score.playbackCursor = cursor;
        whole = ensurePlaybackCursorVisible();
        emit playbackCursorMoved();
    }
    if (whole) {
        overlay_ = currentOverlay();
        viewport()->update();
        return;
    }
    // Only what the overlay covered before and covers now is repainted.
    refreshPlaybackOverlay();
}

void CKeystaveView::stepPlaybackCursor(int direction) {
    CScore& score = doc_.score();
    const bool playing = playback_ && playback_->isPlaying(&score);
    if (playing) playback_->stop(&score);
    score.playbackCursor =
        steppedPlaybackCursor(score, score.playbackMap, score.playbackCursor, direction);
    const bool whole = ensurePlaybackCursorVisible();
    emit playbackCursorMoved();
    if (playing) playback_->resume(score);
    if (whole) {
        overlay_ = currentOverlay();
        viewport()->update();
    } else {
        refreshPlaybackOverlay();
    }
}

bool CKeystaveView::playbackCommand(int id) const {
    return id == Cmd::Rewind || id == Cmd::FastForward || id == Cmd::StepBack ||
           id == Cmd::StepForward;
}

namespace {

// Note entry from the MIDI keyboard into a view.
class ViewNoteEntry : public MidiNoteEntry {
  public:
    ViewNoteEntry(CKeystaveView& view, CScore& score) : view_(view), score_(score) {}
    bool inMusicMode() const override { return view_.viewMode() == ViewMode::Music; }
    int32_t cursorTime() const override { return score_.selection.timestart; }
    void setCursorTime(int32_t time) override {
        score_.selection.timestart = time;
        score_.selection.timeend = time + 1;
    }
    void enterNote(int key) override { view_.enterMidiNote(key); }

  private:
    CKeystaveView& view_;
    CScore& score_;
};

}  // namespace

void CKeystaveView::midiInputArrived() {
    if (!playback_) return;
    // Thru echoes the keys in every mode; in Music mode they are entered as notes.
    ViewNoteEntry entry(*this, doc_.score());
    handleMidiInput(playback_->midiInput(), playback_->device(), &entry);
}

void CKeystaveView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // The hot key table comes first, then playback's keys, then the cursor keys and
    // typing.
    if (hotKey(event)) {
        event->accept();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Tab && togglePlayback) {
        togglePlayback();
        event->accept();
        return;
    }
    if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Space && stopPlayback) {
        stopPlayback();
        event->accept();
        return;
    }
    if (musicKey(event) || typingKey(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CKeystaveView::focusNextPrevChild(bool) {
    return false;
}

}  // namespace ks
