// CKeystaveView: the scrolling window that shows one document. In Page and Layout mode
// it shows one page at a time at the view's zoom (z pixels per inch of page).
#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <optional>

#include "app/CommandTarget.h"
#include "model/UserFont.h"
#include "render/draw/DrawContext.h"
#include "render/draw/PlaybackOverlay.h"
#include "render/layout/PageGeometry.h"

namespace ks {

class CKeystaveDoc;
class PlaybackControl;

class CKeystaveView : public QAbstractScrollArea, public ICommandTarget {
    Q_OBJECT
  public:
    explicit CKeystaveView(CKeystaveDoc& doc, QWidget* parent = nullptr);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;
    // The marks the mouse can pick in the visible part of Music mode, in page units.
    std::vector<EventHitRect> visibleHitRects() const;

    int viewMode() const { return state_.mode; }
    // Page (1), Layout (2), Music (3) or Track select (5). Refused while the mode is 4;
    // the same mode again does nothing.
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

    // --- Music and Track select mode (ViewModes.cpp, ViewMusic.cpp, ViewMouse.cpp) ---
    // The view's own lines: the whole piece as one line (Music mode) or one line per
    // track (Track select mode); empty in Page and Layout mode.
    const std::vector<CScoreLine>& viewLines() const { return state_.lines; }
    // Scrolls the cursor (or, following playback, the playback cursor) into view.
    void ensureCursorVisible(bool followPlayback = false);
    // The cursor or selection changed: scroll it into view and repaint.
    void selectionChanged();
    // The score changed through an edit of this view: lay out again and repaint.
    void scoreEdited();
    // A viewport pixel in page units (the long line's units in Music mode).
    QPoint unitsAt(QPoint pixel) const;
    // The viewport pixels of a rectangle in page units.
    QRect pixelsOf(const QRect& units) const;
    // Mouse-drag state: 0 idle, 1 rubber band, 2 dragging the selection, 3 moving an
    // object, 4/5 resizing a wedge by its left/right end, 6 Layout click, 7 Track click.
    int dragState() const { return drag_.state; }
    // The cursor box in viewport pixels (Music mode).
    QRect cursorPixels() const;

    // Hooks the document window fills; each does nothing when unset.
    // The help page of a mode ("MUSICMODE.HTM", ...), shown when dynamic help is on.
    std::function<void(const QString& page)> helpPageRequested;
    // Closes a running print preview before the mode changes.
    std::function<void()> closePrintPreview;
    // The mode changed: the frame swaps the mode menu and the note-length window.
    std::function<void(int mode)> viewModeChanged;
    // A message of the text table in a message box.
    std::function<void(int textId)> showMessage;
    // Asks for a bar number (Go to Bar) pre-filled with `current`, 1 .. `count`; empty
    // when cancelled.
    std::function<std::optional<int>(int current, int count)> askBarNumber;
    // Sends a command along the normal path (view, document, frame, application); true
    // when a target ran it. Unset: the view runs the commands it handles itself.
    std::function<bool(int id)> sendCommand;
    // The state of a command along that path (the context menu's items). Unset: the
    // view's own state, disabled for commands it does not handle.
    std::function<CommandState(int id)> commandStateOf;
    // The commands of the context menu in this mode, in order; 0 = separator.
    std::vector<int> contextMenuCommands() const;
    // A Yes/No question of the text table; true for Yes. Unset: No.
    std::function<bool(int textId)> askYesNo;
    // The number of notes of a new tuplet; 0 when cancelled.
    std::function<int()> askTupletCount;
    // A font for annotations, starting from `current`; nothing when cancelled.
    std::function<std::optional<CUserFont>(const CUserFont& current)> chooseFont;

    // --- note entry (ViewNoteCommands.cpp, ViewKeys.cpp) ---
    // Enters a note from the MIDI keyboard at the cursor (Music mode): the cursor pitch
    // becomes `key`, the note is inserted with the current length.
    void enterMidiNote(int key);

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
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab belongs to playback, not to moving the focus.
    bool focusNextPrevChild(bool next) override;

  private:
    // What a mouse drag is doing.
    struct Drag {
        int state = 0;
        QPoint press;    // viewport pixels
        QPoint current;  // viewport pixels
        Qt::KeyboardModifiers modifiers;
        CEventRef object;  // the object moved or resized (states 3-5)
        CEvent original;   // ... as it was at the press
        bool moved = false;
    };

    void updateScrollBars();
    // Scrolls `bar` so the span [low, high] of the client (pixels) keeps `margin` from
    // both edges, the near edge winning.
    static void keepInside(QScrollBar* bar, int low, int high, int margin, int client);
    // Music and Track select mode (ViewMusic.cpp).
    bool musicLike() const;
    void layOutViewLines();
    // Size of the long lines with the page margins around them, in page units.
    QSize musicContentUnits() const;
    void paintMusic(QPainter& painter, const QRect& dirty);
    // The view state as drawn, with the lines cut to the visible part of `units`.
    CViewState drawnState(const QRect& units) const;
    QRect visibleUnits() const;
    // The edit commands of Music and Track select mode (ViewModes.cpp).
    std::optional<CommandState> musicCommandState(int id) const;
    bool runMusicCommand(int id);
    bool musicKey(QKeyEvent* event);
    // The note entry and editing commands (ViewNoteCommands.cpp).
    std::optional<CommandState> noteCommandState(int id) const;
    bool runNoteCommand(int id);
    void convertToTuplet();
    void chooseAnnotationFont();
    void deleteSelection();
    // The keys (ViewKeys.cpp): the hot key table, and typing in the edit modes that take
    // text.
    bool hotKey(QKeyEvent* event);
    bool typingKey(QKeyEvent* event);
    void goToBar();
    void toggleSectionMarker();
    void afterEdit(int outcome);
    // Mouse (ViewMouse.cpp).
    void musicPress(QMouseEvent* event);
    void musicMove(QMouseEvent* event);
    void musicRelease(QMouseEvent* event);
    void trackSelectPress(QMouseEvent* event);
    // The tick and pitch under a point of the long line (page units).
    int32_t tickAtUnits(int32_t x) const;
    int32_t pitchAtUnits(int32_t y) const;
    void updateHoverCursor(QPoint pixel);
    PageGeometry page() const;
    // Where page point (0, 0) lands in the viewport, in pixels.
    QPoint pageOrigin() const;
    void paintPage(QPainter& painter, const QRect& dirty);
    // Saves the painter, clips it to `pixels` and returns what they show in page units
    // (the caller restores the painter).
    QRect beginPainting(QPainter& painter, const QRect& pixels) const;
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
    Drag drag_;
    // The modifiers of the key that sent the running hot key command (an octave with
    // Shift); none for menu commands.
    Qt::KeyboardModifiers hotKeyModifiers_;
};

}  // namespace ks
