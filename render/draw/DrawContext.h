// Everything one drawing pass needs besides the score: the surface, what the view shows
// (mode, current part, page, editing state), the unit and the objects made from it
// (fonts, pen width), the derived colour switches and the paper colours. Drawing reads
// the score and its layout records; it never changes the model (event hit rectangles are
// the one exception, kept in the mutable `hitRects` of the context).
#pragma once

#include <QColor>
#include <QHash>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Score.h"
#include "render/ColourScheme.h"
#include "render/draw/StavePenCache.h"
#include "render/layout/LayoutMath.h"
#include "render/layout/PageGeometry.h"
#include "render/layout/StaveGeometry.h"
#include "render/surface/Surface.h"

namespace ks {

// A selected note, by its time and pitch (notes are unique by both within a track).
using SelectedNote = CNoteRef;

// The state of the view being drawn (Part of the editing state the drawing needs).
struct CViewState {
    int32_t mode = ViewMode::Page;  // ViewMode values
    int32_t currentPart = 0;        // part being edited in Music mode
    int32_t page = 0;               // page being drawn (Page and Layout modes)
    bool grid = false;              // "Grid Lines" of Page and Layout mode
    int32_t editedEvent = -1;       // annotation or lyric being edited (a "|" follows it)
    int32_t editedEventTrack = -1;  // its track (-1 = annotation track)
    QString fileName;               // document file name for the footer
    // Events drawn as selected (red wedges): track (-1 annotation track, -2 tempo
    // track) and event index.
    std::vector<std::pair<int32_t, int32_t>> selectedEvents;
    // Selected notes of the current part's track, sorted (Music mode draws their ties red).
    std::vector<SelectedNote> selectedNotes;
    // The view's own lines in Music and Track select modes (the whole piece as one
    // long line, or one line per track); empty in Page and Layout modes, where the
    // score's page lines are drawn.
    std::vector<CScoreLine> lines;
    // Music mode: the cursor box, the selection's drag offset and the rubber band (page
    // units; empty = none) are drawn over the music.
    bool showCursor = false;
    QRect rubberBand;

    bool pageOrLayout() const { return mode == ViewMode::Page || mode == ViewMode::Layout; }
    bool isSelected(int32_t track, int32_t event) const;
    bool noteSelected(int32_t time, int32_t pitch) const;
};

// Where a drawn event sits on the page, for hit tests: track (-1 annotation track, -2
// tempo track), event index, rectangle in page units.
struct EventHitRect {
    int32_t track = 0;
    int32_t event = 0;
    QRect rect;
    int32_t drawnX = 0;  // x the mark was drawn at (annotations keep it for dragging)
};

class CDrawContext {
  public:
    CDrawContext(CSurface& surface, const CScore& score, const CViewState& view,
                 const PageGeometry& page);

    CSurface& surface;
    const CScore& score;
    const CViewState view;
    const PageGeometry page;

    // --- unit and the sizes made from it ---
    double u = 0;      // the stave unit (score.unit, or the font-size value)
    int32_t step = 0;  // round(u)
    double H = 0;      // cell height of "6" in the music font
    double W = 0;      // advance width of "6" in the music font
    int32_t w = 1;     // pen width: round(H / 6)

    // --- fonts of the surface (the drawing objects prepared once per pass) ---
    FontSpec music;         // "Keystave", height -fontsize
    FontSpec largeMusic;    // "Keystave", round(-16u) (round(-15u) conventional in Page/Layout)
    FontSpec smallMusic;    // "Keystave", round(-8u)
    FontSpec letter;        // "Times New Roman" 800, round(-7u) (-5.4u conventional), width 2.5u
    FontSpec smallText;     // "Times New Roman" -150
    FontSpec barNumber;     // "Times New Roman" -2 x fontsize
    FontSpec tupletNumber;  // "Times New Roman" bold italic, round(-5u): numbers on tuplet beams

    // --- colours ---
    DrawingSwitches switches;
    QColor paper;         // page fill on printers and exports
    QColor pageSurround;  // paper on printers and exports, the margin colour on screen
    QColor grid;
    static QColor grey() { return QColor(160, 160, 160); }

    bool conventional() const;      // stave type 3 or 4
    bool conventionalView() const;  // ... shown in Page or Layout mode
    StaveRange range() const { return defaultStaveRange(score.prefs.stavetype); }
    // Line `index` as drawn: the view's own line in Music and Track select modes, else
    // the score's page line (a default line out of range).
    const CScoreLine& lineRecord(int index) const;
    int lineCount() const;
    bool printing() const { return !surface.isScreen(); }

    // Round half away from zero, as all placement does.
    // Saturated to the layout's coordinate range, so extreme sizes never overflow.
    static int32_t round(double v) { return roundToInt(v); }
    int32_t units(double n) const { return round(n * u); }

    // Event rectangles written while drawing (the score is const here).
    mutable std::vector<EventHitRect> hitRects;

    // The last syllable drawn in each verse of a track on a line: its tick and the right
    // end of its text, so that the next syllable keeps its distance.
    struct LyricEnd {
        int32_t tick = 0;
        double right = 0;
    };
    mutable QHash<int64_t, LyricEnd> lyricEnds;

    // The stave-line pen of the last horizontal line drawn (StaveLinePen).
    StavePenCache stavePens;
};

// The music-font text of one glyph code (the font maps codes to the same code points).
inline QString glyphText(int code) {
    return QString(QChar(static_cast<char16_t>(code)));
}

}  // namespace ks
