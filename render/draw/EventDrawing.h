// Drawing of the score's events on one line, one function per kind; DrawEvents
// (Drawing.h) walks the tracks and hands each event to its function.
#pragma once

#include "render/draw/DrawContext.h"
#include "render/draw/EventPlacement.h"
#include "render/draw/LineGeometry.h"

namespace ks {

// Track numbers of the two special tracks in hit rectangles and selections.
constexpr int32_t kAnnotationTrack = -1;
constexpr int32_t kTempoTrack = -2;

// One event being drawn: where it comes from and the line it is drawn on.
struct DrawnEvent {
    const CEvent& event;
    int32_t track;  // track index, or kAnnotationTrack / kTempoTrack
    int32_t index;  // index in its track's events
    int part;       // the part showing the track, -1 for the special tracks
    const LineGeometry& geometry;
    const CScoreLine& line;  // the geometry's line (its hand gap as drawn)
    int lineIndex;
    LineSpan span;
};

// Records where an event was drawn, for hit tests.
void addHitRect(const CDrawContext& ctx, const DrawnEvent& e, const QRect& rect, int32_t drawnX);
// The event's element kind for the recording surface: "event", "annotation" or "tempo".
QString eventElementKind(int32_t track);
// The event is the annotation or lyric being typed: a "|" follows its text.
bool isEdited(const CDrawContext& ctx, const DrawnEvent& e);

void drawTempoMark(CDrawContext& ctx, const DrawnEvent& e);
void drawAnnotation(CDrawContext& ctx, const DrawnEvent& e);
void drawSectionMarker(CDrawContext& ctx, const DrawnEvent& e);
void drawNoteMarks(CDrawContext& ctx, const DrawnEvent& e);
void drawWedge(CDrawContext& ctx, const DrawnEvent& e);
void drawLyric(CDrawContext& ctx, const DrawnEvent& e);
void drawPhraseMark(CDrawContext& ctx, const DrawnEvent& e);

// The text a tempo mark shows: its own text, or, when that is empty, a quarter note
// (a dotted quarter in compound time) " = " and the beats per minute.
QString tempoMarkText(const CScore& score, const CEvent& event);
// The height a tempo mark is drawn at (16.16 pitch): its own, or above the stave when
// the mark has none.
int32_t tempoMarkPitch(const CScore& score, const CEvent& event);

}  // namespace ks
