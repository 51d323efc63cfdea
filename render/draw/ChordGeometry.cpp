#include "ChordGeometry.h"

#include "render/draw/NotePlacement.h"
#include "render/layout/StemDirection.h"
#include "render/layout/TickMapping.h"

namespace ks {

int32_t headTopFor(const CDrawContext& ctx, int32_t centreY) {
    return CDrawContext::round(centreY - ctx.H / 2);
}

int32_t stemXFor(const CDrawContext& ctx, int32_t x, bool up) {
    return up ? CDrawContext::round(x + ctx.W - ctx.w * 12.0 / 16)
              : CDrawContext::round(x + ctx.w * 10.0 / 16);
}

int32_t stemEndFor(const CDrawContext& ctx, bool up, int32_t lowTop, int32_t highTop) {
    return up ? highTop - ctx.units(7) : lowTop + ctx.units(8);
}

ChordGeometry chordGeometry(const CDrawContext& ctx, const LineGeometry& g, int part,
                            const CTrack& track, int chordIndex, int32_t key) {
    ChordGeometry c;
    c.part = part;
    c.track = &track;
    c.chordIndex = chordIndex;
    c.chord = &track.chords.at(chordIndex);
    c.key = key;
    const int32_t unitL = noteValueUnit(ctx.score.ppqn, c.chord->flags);
    c.row = noteValueRowFor(c.chord->duration, unitL);
    if (c.row >= 0) c.value = noteValueRow(c.row);
    // Tuplet notes are written one value longer than they last: a triplet eighth
    // falls in the dotted-eighth row, and shows as a plain eighth.
    if (c.chord->flags & ChordFlag::Tuplet) c.value.dots = 0;
    c.x = tickToX(ctx.score.bar(c.chord->bar), c.chord->time, ctx.u);
    c.up = chordPointsUp(ctx.score, part, track, chordIndex);
    c.partGrey = ctx.view.mode == ViewMode::Music && part != ctx.view.currentPart;
    c.allGrey = c.chord->noteCount > 0;
    const int32_t displaced =
        c.up ? CDrawContext::round(ctx.W - ctx.w) : -CDrawContext::round(ctx.W * 17 / 24);
    bool previousShifted = false;
    for (int k = 0; k < c.chord->noteCount; ++k) {
        const int index = c.chord->firstNote + k;
        const CNote& n = track.notes.at(index);
        HeadPlace h;
        h.note = index;
        h.pitch = n.pitch;
        h.centreY = noteY(ctx, g, n.pitch, part, key);
        h.top = headTopFor(ctx, h.centreY);
        h.grey = c.partGrey || (ctx.score.prefs.grayties && (n.flags & NoteFlag::TieEnd));
        h.selected = ctx.view.mode == ViewMode::Music && part == ctx.view.currentPart &&
                     ctx.view.noteSelected(n.time, n.pitch);
        const bool second =
            k > 0 && !previousShifted && oneStepAbove(g, n.pitch, c.heads.back().pitch, key);
        h.shift = second ? displaced : 0;
        previousShifted = second;
        c.allGrey = c.allGrey && h.grey;
        c.heads.push_back(h);
    }
    if (!c.heads.isEmpty()) {
        c.lowTop = c.heads.front().top;
        c.highTop = c.heads.back().top;
    }
    c.stemX = stemXFor(ctx, c.x, c.up);
    c.stemStart = c.up ? c.lowTop + ctx.step : c.highTop + ctx.step;
    c.stemEnd = stemEndFor(ctx, c.up, c.lowTop, c.highTop);
    return c;
}

}  // namespace ks
