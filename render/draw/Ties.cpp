#include "Ties.h"

#include <cmath>

#include "render/layout/StemDirection.h"
#include "render/layout/TickMapping.h"
#include "render/draw/NotePlacement.h"
#include "render/draw/ShownChords.h"

namespace ks {

namespace {

const QColor kSelected(255, 0, 0);

bool onThisLine(const LineGeometry& g, int32_t bar) {
    return bar >= g.firstBar && bar < g.endBar;
}

// The chord holding a note, its x and direction, as the chord drawing places them.
struct ChordPlace {
    int chord = -1;
    int32_t bar = 0;
    int32_t stemX = 0;
    bool up = true;
};

ChordPlace placeOf(const CDrawContext& ctx, int part, const CTrack& track, int note) {
    ChordPlace p;
    p.chord = chordAt(track, track.notes.at(note).time);
    if (p.chord < 0) return p;
    const CChord& c = track.chords.at(p.chord);
    p.bar = c.bar;
    p.up = chordPointsUp(ctx.score, part, track, p.chord);
    p.stemX = stemXFor(ctx, tickToX(ctx.score.bar(c.bar), c.time, ctx.u), p.up);
    return p;
}

// A tie goes above its note when it is the highest of several tied notes of its chord,
// or, alone, when the stem points down.
bool tieAbove(const CTrack& track, int chordIndex, int note, bool up) {
    const CChord& c = track.chords.at(chordIndex);
    int tied = 0, highest = -1;
    for (int k = 0; k < c.noteCount; ++k)
        if (track.notes.at(c.firstNote + k).flags & NoteFlag::TieStart) {
            ++tied;
            highest = c.firstNote + k;
        }
    if (tied > 1) return note == highest;
    return !up;
}

Pen tiePen(const CDrawContext& ctx, int part, const CTrack& track, int from, int to) {
    Pen pen{.colour = Qt::black, .width = ctx.w};
    const bool music = ctx.view.mode == ViewMode::Music;
    if (ctx.score.prefs.grayties || (music && part != ctx.view.currentPart))
        pen.colour = CDrawContext::grey();
    if (music && part == ctx.view.currentPart) {
        for (int n : {from, to}) {
            if (n < 0) continue;
            const CNote& note = track.notes.at(n);
            if (ctx.view.noteSelected(note.time, note.pitch)) pen.colour = kSelected;
        }
    }
    return pen;
}

// The part of an ellipse three times as high as the tie, through both ends, bulging
// `height` beyond them.
void arc(CDrawContext& ctx, int32_t x1, int32_t x2, int32_t y, int32_t height, bool above,
         const Pen& pen) {
    if (x2 <= x1 || height <= 0) return;
    const double half = (x2 - x1) / 2.0;
    const double a = half * 3.0 / std::sqrt(8.0);  // ends at a third of the minor semi-axis
    const double b = 1.5 * height;
    const double cy = above ? y + 0.5 * height : y - 0.5 * height;
    const double cx = x1 + half;
    const QRect box(CDrawContext::round(cx - a), CDrawContext::round(cy - b),
                    CDrawContext::round(2 * a), CDrawContext::round(2 * b));
    const QPoint left(x1, y), right(x2, y);
    if (above)
        ctx.surface.drawArc(box, right, left, pen);
    else
        ctx.surface.drawArc(box, left, right, pen);
}

void tie(CDrawContext& ctx, const LineGeometry& g, int part, const CTrack& track, int note,
         int32_t x1, int32_t x2, bool above, const Pen& pen, int32_t key) {
    const CNote& n = track.notes.at(note);
    const int32_t centre = noteY(ctx, g, n.pitch, part, key);
    const int32_t y = centre + (above ? -ctx.units(2) : ctx.units(2));
    const int32_t height = noteOnLine(g, n.pitch, key) ? ctx.units(1.5) : ctx.units(2);
    ctx.surface.beginElement(QStringLiteral("tie"), note);
    arc(ctx, x1, x2, y, height, above, pen);
    ctx.surface.endElement();
}

}  // namespace

int tiePartner(const CTrack& track, int note) {
    const CNote& n = track.notes.at(note);
    const int64_t end = int64_t(n.time) + n.duration;
    if (!(n.flags & NoteFlag::TieStart) || end > INT32_MAX) return -1;
    const int32_t at = static_cast<int32_t>(end);
    const int i = track.notes.lowerBound(CNote{.time = at, .pitch = n.pitch});
    if (i >= track.notes.size()) return -1;
    const CNote& m = track.notes.at(i);
    return m.time == at && m.pitch == n.pitch && (m.flags & NoteFlag::TieEnd) ? i : -1;
}

int tieOrigin(const CTrack& track, int note) {
    const CNote& n = track.notes.at(note);
    if (!(n.flags & NoteFlag::TieEnd)) return -1;
    const int previous = chordAt(track, n.time - 1);
    if (previous < 0) return -1;
    const CChord& c = track.chords.at(previous);
    for (int k = 0; k < c.noteCount; ++k) {
        const int i = c.firstNote + k;
        const CNote& m = track.notes.at(i);
        if (m.pitch == n.pitch && int64_t(m.time) + m.duration == n.time &&
            (m.flags & NoteFlag::TieStart))
            return i;
    }
    return -1;
}

void drawTies(CDrawContext& ctx, const LineGeometry& g, const ChordGeometry& c) {
    const CTrack& track = *c.track;
    const int32_t inset = CDrawContext::round(ctx.W / 4) + ctx.w;
    for (const HeadPlace& h : c.heads) {
        const CNote& n = track.notes.at(h.note);
        if (n.flags & NoteFlag::TieStart) {
            const int partner = tiePartner(track, h.note);
            if (partner >= 0) {
                const ChordPlace to = placeOf(ctx, c.part, track, partner);
                const int32_t end = onThisLine(g, to.bar) ? to.stemX - inset : g.x1;
                tie(ctx, g, c.part, track, h.note, c.stemX + inset, end,
                    tieAbove(track, c.chordIndex, h.note, c.up),
                    tiePen(ctx, c.part, track, h.note, partner), c.key);
            }
        }
        if (n.flags & NoteFlag::TieEnd) {
            const int origin = tieOrigin(track, h.note);
            if (origin < 0) continue;
            const ChordPlace from = placeOf(ctx, c.part, track, origin);
            if (from.chord < 0 || onThisLine(g, from.bar)) continue;
            const CScoreBar& bar = ctx.score.bar(c.chord->bar);
            const int32_t start = tickToX(bar, bar.startTick, ctx.u, true, false);
            tie(ctx, g, c.part, track, h.note, start, c.stemX - inset,
                tieAbove(track, from.chord, origin, from.up),
                tiePen(ctx, c.part, track, origin, h.note), c.key);
        }
    }
}

}  // namespace ks
