// DrawChords: for each shown part, bar by bar, its chords (ledger lines, heads, dots,
// stems and flags, beams, ties) and its rests.
#include <optional>

#include "render/draw/Beams.h"
#include "render/draw/Drawing.h"
#include "render/draw/LedgerLines.h"
#include "render/draw/NoteHeads.h"
#include "render/draw/Rests.h"
#include "render/draw/ShownChords.h"
#include "render/draw/Stems.h"
#include "render/draw/Ties.h"
#include "render/layout/ShownNotes.h"

namespace ks {

namespace {

class PartDrawer {
  public:
    PartDrawer(CDrawContext& ctx, const LineGeometry& g, int part, const CTrack& track)
        : ctx_(ctx), g_(g), part_(part), track_(track) {}

    void draw() {
        ctx_.surface.beginElement(QStringLiteral("part"), part_);
        drawBars();
        ctx_.surface.endElement();
    }

  private:
    void drawBars() {
        const bool rests = ctx_.score.prefs.showrests && restsShown(g_, part_);
        for (int32_t b = g_.firstBar; b < g_.endBar; ++b) {
            const CScoreBar& bar = ctx_.score.bar(b);
            const int64_t barEnd = int64_t(bar.startTick) + bar.lengthTicks;
            const int32_t key = ctx_.score.keyAtBar(b);
            accidentals_.reset(key);
            const RestCrop crop = cropOf(bar);
            for (int i = std::max(chordAt(track_, bar.startTick), 0);
                 i < track_.chords.size() && track_.chords.at(i).time < barEnd; ++i) {
                const CChord& c = track_.chords.at(i);
                if (c.end() <= bar.startTick) continue;
                if (c.isRest()) {
                    if (rests) drawRest(ctx_, g_, part_, track_, i, b, crop);
                } else if (c.time >= bar.startTick && c.time >= crop.start) {
                    drawChord(i, key);
                }
            }
        }
    }

  private:
    RestCrop cropOf(const CScoreBar& bar) {
        RestCrop crop;
        if (bar.flags & BarFlag::CroppedStart) {
            const int32_t first = firstShownNoteTick(ctx_.score);
            if (first != kNoShownNote) crop.start = first;
        }
        if (bar.flags & BarFlag::CroppedEnd) {
            const int32_t last = lastShownNoteEnd(ctx_.score);
            if (last >= 0) crop.end = last;
        }
        return crop;
    }

    void drawChord(int index, int32_t key) {
        const CChord& chord = track_.chords.at(index);
        const bool stems = ctx_.score.prefs.showstems;
        const bool beamed =
            stems && chord.beam >= 0 && chord.beam < static_cast<int>(track_.beams.size());
        ChordGeometry c;
        int inBeam = -1;
        if (beamed) {
            if (!beam_ || beam_->beam != chord.beam)
                beam_ = beamGeometry(ctx_, g_, part_, track_, chord.beam, key);
            inBeam = beam_->indexOf(index);
        }
        c = inBeam >= 0 ? beam_->chords[static_cast<size_t>(inBeam)]
                        : chordGeometry(ctx_, g_, part_, track_, index, key);
        if (c.row < 0 || c.heads.isEmpty()) return;
        ctx_.surface.beginElement(QStringLiteral("chord"), index);
        if (usesLedgerLines(ctx_, g_)) {
            DrawLedgerLines(ctx_, g_, c.heads.front().pitch, c.x, part_, key, c.partGrey);
            if (c.heads.size() > 1)
                DrawLedgerLines(ctx_, g_, c.heads.back().pitch, c.x, part_, key, c.partGrey);
        }
        drawHeads(ctx_, g_, c, accidentals_);
        if (inBeam >= 0)  // the stem's square cap ends at the beam's outer edge
            drawStem(ctx_, c, c.stemEnd + (c.up ? 1 : -1) * (ctx_.w / 2));
        else if (stems)
            drawStemAndFlags(ctx_, c);
        drawTies(ctx_, g_, c);
        ctx_.surface.endElement();
        if (inBeam >= 0 && inBeam + 1 == static_cast<int>(beam_->chords.size())) {
            ctx_.surface.beginElement(QStringLiteral("beam"), chord.beam);
            drawBeam(ctx_, *beam_);
            ctx_.surface.endElement();
        }
    }

    CDrawContext& ctx_;
    const LineGeometry& g_;
    int part_;
    const CTrack& track_;
    AccidentalState accidentals_;
    std::optional<BeamGeometry> beam_;
};

}  // namespace

void DrawChords(CDrawContext& ctx, int line) {
    if (!lineOnDrawnPage(ctx, ctx.lineRecord(line))) return;
    const LineGeometry g = lineGeometry(ctx, line);
    if (ctx.view.mode == ViewMode::TrackSelect) {
        // Each line shows one track, drawn as the part it is allocated to.
        if (line < 0 || line >= ctx.score.trackCount()) return;
        PartDrawer(ctx, g, std::max(ctx.score.partOfTrack(line), 0), ctx.score.track(line)).draw();
        return;
    }
    for (int part = 0; part < kPartCount; ++part) {
        const int t = ctx.score.trackOfPart(part);
        if (t < 0) continue;
        PartDrawer(ctx, g, part, ctx.score.track(t)).draw();
    }
}

}  // namespace ks
