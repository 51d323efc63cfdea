// Typing in Music mode: lyrics under the notes (Lyric mode), annotations and section
// marker names (Annotation mode) and the value of a tempo mark.
#pragma once

#include <QString>

#include "edit/EditContext.h"

namespace ks {

// --- Lyric mode -------------------------------------------------------------------
// Enters Lyric mode from note editing with notes selected (the cursor on the first of
// them), or leaves it for note editing.
EditOutcome toggleLyricMode(CScore& score);
// The lyric of the current line at the cursor's note, or null.
const CEvent* lyricAtCursor(const CScore& score);
// Appends `text` to the lyric at the cursor's note ("Lyric Editing"); a new lyric when
// there is none. Nothing when no note starts at the cursor.
EditOutcome typeLyric(EditContext& ctx, const QString& text);
// Deletes the last character of the lyric at the cursor ("Lyric Editing").
EditOutcome lyricBackspace(EditContext& ctx);
// The cursor to the next (+1) or previous (-1) note of the track.
EditOutcome lyricStepNote(CScore& score, int direction);
// The previous (-1) or next (+1) lyric line, within 0..3.
EditOutcome lyricStepLine(CScore& score, int direction);
// Moves the lyric at the cursor by `delta` units ("Move Lyric").
EditOutcome moveLyric(EditContext& ctx, int32_t delta);
// Resets the offset of the lyric at the cursor ("Reset Lyric Alignment").
EditOutcome resetLyricOffset(EditContext& ctx);
// Whether any lyric in the box's time range has an offset.
bool selectionHasLyricOffsets(const CScore& score);
// Resets the offsets of every lyric in the box's time range ("Reset Lyric Alignment").
EditOutcome resetSelectionLyrics(EditContext& ctx);

// --- Annotation mode --------------------------------------------------------------
// Enters Annotation mode from note editing, or leaves it.
EditOutcome toggleAnnotationMode(CScore& score);
// Appends `text` to the picked annotation or marker; with nothing picked a new text
// annotation at the cursor holds it and is picked ("Annotation Editing").
EditOutcome typeAnnotation(EditContext& ctx, const QString& text);
// Deletes the last character; an annotation left empty is deleted.
EditOutcome annotationBackspace(EditContext& ctx);
// The picked annotation back at its default height ("Annotation Positioning").
EditOutcome resetAnnotationPosition(EditContext& ctx);

// --- Tempo marks ------------------------------------------------------------------
// Appends a digit to the picked tempo mark's text ("Edit Tempo"); its value becomes the
// number typed, within 50..300 bpm.
EditOutcome typeTempoDigit(EditContext& ctx, QChar digit);
EditOutcome tempoBackspace(EditContext& ctx);
// Leaves tempo typing: note editing, the mark shows its value again.
EditOutcome finishTempo(CScore& score);

}  // namespace ks
