// CKeystaveView: the scrolling window that shows one document. In Page and Layout mode
// it shows one page at a time at the view's zoom (z pixels per inch of page).
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "app/CommandTarget.h"
#include "render/layout/PageGeometry.h"
#include "render/draw/DrawContext.h"
#include "render/draw/PlaybackOverlay.h"

namespace ks {

class CKeystaveDoc;
class PlaybackControl;

class CKeystaveView : public QAbstractScrollArea, public ICommandTarget {
    Q_OBJECT
  public:
    explicit CKeystaveView(CKeystaveDoc& doc, QWidget* parent = nullptr);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    int viewMode() const { return state_.mode; }
    // Page (1) or Layout (2); other modes are not shown by this view yet.
    void setViewMode(int mode);
    int currentPage() const { return state_.page; }
    int pageCount() const;
    void setPage(int page);
    bool gridShown() const { return state_.grid; }

    int zoom() const;
    // Sets the zoom in percent; the same value again does nothing.
    void setZoom(int zoom);
    // The scroll size of the page at the present zoom.
    QSize scrollSize() const;
    QPoint scrollPosition() const;

    // The document's layout or settings changed: page count, scroll sizes, repaint.
    void documentChanged();
    // Texts of the status-bar panes this view fills (by pane id); empty when unchanged.
    QString paneText(int pane) const;

    // Called after every paint of the viewport, for measuring.
    std::function<void()> painted;

    // --- playback (ViewPlayback.cpp) ---
    // The playback that plays this view's document; null: no playback cursor is shown.
    void setPlayback(PlaybackControl* playback);
    // A play position (performance ticks) reported while this view's score plays: the
    // playback cursor moves by the cursor step, stays in view, and only the overlay is
    // repainted unless the view had to scroll.
    void followPlayback(int32_t playTime);
    // Playback started or stopped, or the cursor settings changed: repaint the overlay.
    void refreshPlaybackOverlay();
    // The MIDI keyboard has sent messages: MIDI thru echoes the keys.
    void midiInputArrived();
    // What the overlay shows now (taken when it was last refreshed).
    const PlaybackOverlay& playbackOverlay() const { return overlay_; }
    // The playback cursor line in viewport pixels; empty when it is not on the page shown.
    QRect playbackCursorPixels() const;
    // Tab plays or stops; Space stops.
    std::function<void()> togglePlayback;
    std::function<void()> stopPlayback;

  signals:
    // The playback cursor moved (the status panes show where it stands).
    void playbackCursorMoved();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab belongs to playback, not to moving the focus.
    bool focusNextPrevChild(bool next) override;

  private:
    void updateScrollBars();
    PageGeometry page() const;
    // Where page point (0, 0) lands in the viewport, in pixels.
    QPoint pageOrigin() const;
    void paintPage(QPainter& painter, const QRect& dirty);
    void askCustomZoom();
    // Layout mode: the line of the current page nearest to a page point's height.
    int lineAt(int64_t pageY) const;

    // Playback (ViewPlayback.cpp).
    PlaybackOverlay currentOverlay() const;
    std::vector<QRect> overlayPixels(const PlaybackOverlay& overlay) const;
    QRect unitsToViewport(const QRect& units) const;
    // Brings the playback cursor into view (another page, or scrolled); true when the
    // whole view has to be repainted.
    bool ensurePlaybackCursorVisible();
    void stepPlaybackCursor(int direction);
    bool playbackCommand(int id) const;

    CKeystaveDoc& doc_;
    CViewState state_;
    PlaybackControl* playback_ = nullptr;
    PlaybackOverlay overlay_;  // what the overlay shows; painted as it stands
    int wheelPastEdge_ = 0;    // wheel turned at a page's end, towards the next page
};

}  // namespace ks
