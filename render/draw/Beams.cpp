#include "Beams.h"

#include <algorithm>
#include <cmath>

#include "render/layout/StemDirection.h"
#include "render/draw/Stems.h"

namespace ks {

namespace {

constexpr double kMaxSlope = 0.25;
constexpr double kThickness = 1.0;      // units
constexpr double kDistance = 1.75;      // units between the outer edges of neighbouring beams
constexpr double kStub = 2.5;           // units: a beam of a chord with no neighbour at its level
constexpr int32_t kFlatBelowUp = 40;    // up-stem groups lower than this stay flat
constexpr int32_t kFlatAboveDown = 75;  // down-stem groups higher than this stay flat

// The tuplet whose number the beam carries: one starting with the beam's first chord
// and holding the whole beam.
const CEvent* tupletOf(const CTrack& track, const BeamGeometry& b) {
    const CChord& first = *b.chords.front().chord;
    const CChord& last = *b.chords.back().chord;
    if (!(first.flags & ChordFlag::Tuplet)) return nullptr;
    for (int i = track.events.lowerBound(CEvent{.time = first.time});
         i < track.events.size() && track.events.at(i).time == first.time; ++i) {
        const CEvent& e = track.events.at(i);
        if (e.type == EventType::Tuplet && e.data[0] > 0 && e.data[1] >= last.end()) return &e;
    }
    return nullptr;
}

void drawTupletNumber(CDrawContext& ctx, const BeamGeometry& b, int32_t count) {
    const QString number = QString::number(count);
    const int32_t x = (b.chords.front().stemX + b.chords.back().stemX) / 2;
    const int32_t edge = b.edgeY(x);
    const int32_t centre = edge + (b.up ? -3 : 3) * ctx.step;
    const TextMetrics m = ctx.surface.measure(ctx.tupletNumber, number);
    ctx.surface.drawText(QPoint(x, CDrawContext::round(centre - m.height() / 2)), number,
                         ctx.tupletNumber, stemPen(ctx, b.chords.front()).colour,
                         TextAlign::Centre + TextAlign::Top);
}

}  // namespace

int32_t BeamGeometry::edgeY(int32_t x) const {
    return CDrawContext::round(originY + slope * (x - originX));
}

int BeamGeometry::indexOf(int chordIndex) const {
    for (size_t i = 0; i < chords.size(); ++i)
        if (chords[i].chordIndex == chordIndex) return static_cast<int>(i);
    return -1;
}

BeamGeometry beamGeometry(const CDrawContext& ctx, const LineGeometry& g, int part,
                          const CTrack& track, int beam, int32_t key) {
    BeamGeometry b;
    b.beam = beam;
    if (beam < 0 || beam >= static_cast<int>(track.beams.size())) return b;
    const CBeam& record = track.beams[static_cast<size_t>(beam)];
    const int end =
        std::min(record.firstChord + std::max(record.chordCount, 0), track.chords.size());
    int32_t high = 0, low = 127, longest = 0;
    for (int i = std::max(record.firstChord, 0); i < end; ++i) {
        b.chords.push_back(chordGeometry(ctx, g, part, track, i, key));
        const CChord& c = track.chords.at(i);
        high = std::max(high, c.pitchHigh);
        low = std::min(low, c.pitchLow);
        longest = std::max(longest, c.duration);
    }
    if (b.chords.empty()) return b;
    b.up = b.chords.front().up;
    std::vector<int32_t> ends;
    for (ChordGeometry& c : b.chords) {
        c.up = b.up;
        c.stemX = stemXFor(ctx, c.x, b.up);
        c.stemStart = b.up ? c.lowTop + ctx.step : c.highTop + ctx.step;
        c.stemEnd = stemEndFor(ctx, b.up, c.lowTop, c.highTop);
        // Groups of sixteenths and shorter under the notes get longer stems, for the
        // room of the second beam.
        if (!b.up && longest <= ctx.score.ppqn / 4) c.stemEnd += 2 * ctx.step;
        ends.push_back(c.stemEnd);
    }
    const ChordGeometry& first = b.chords.front();
    const ChordGeometry& last = b.chords.back();
    const int32_t dx = last.stemX - first.stemX;
    const bool flat = dx == 0 || (!b.up && low > kFlatAboveDown) || (b.up && high < kFlatBelowUp);
    b.slope =
        flat ? 0.0 : std::clamp(double(last.stemEnd - first.stemEnd) / dx, -kMaxSlope, kMaxSlope);
    b.originX = first.stemX;
    b.originY = first.stemEnd;
    // Stems only ever grow to the beam: where the beam would cut a stem short the whole
    // beam moves outward by the largest shortfall.
    double shortfall = 0;
    for (const ChordGeometry& c : b.chords) {
        const double y = b.originY + b.slope * (c.stemX - b.originX);
        shortfall = std::max(shortfall, b.up ? y - c.stemEnd : c.stemEnd - y);
    }
    b.originY += b.up ? -shortfall : shortfall;
    for (ChordGeometry& c : b.chords)
        c.stemEnd = b.edgeY(c.stemX);
    return b;
}

void drawBeam(CDrawContext& ctx, const BeamGeometry& b) {
    if (b.chords.size() < 2) return;
    const QColor colour = stemPen(ctx, b.chords.front()).colour;
    const int32_t thickness = std::max(ctx.units(kThickness), ctx.w);
    const int32_t inward = b.up ? 1 : -1;  // from the outer edge towards the heads
    auto segment = [&](int32_t fromX, int32_t toX, int level) {
        const int32_t offset = inward * CDrawContext::round(level * kDistance * ctx.u);
        const int32_t a = b.edgeY(fromX) + offset, c = b.edgeY(toX) + offset;
        const QVector<QPoint> quad = {QPoint(fromX, a), QPoint(toX, c),
                                      QPoint(toX, c + inward * thickness),
                                      QPoint(fromX, a + inward * thickness)};
        ctx.surface.fillPolygon(quad, colour);
    };
    const int32_t half = ctx.w / 2;
    int levels = 1;
    for (const ChordGeometry& c : b.chords)
        levels = std::max(levels, c.value.flags);
    const size_t n = b.chords.size();
    for (int level = 0; level < levels; ++level) {
        for (size_t i = 0; i < n; ++i) {
            const ChordGeometry& c = b.chords[i];
            if (std::max(c.value.flags, 1) <= level) continue;
            const bool joinsNext = i + 1 < n && std::max(b.chords[i + 1].value.flags, 1) > level;
            const bool joinsPrevious = i > 0 && std::max(b.chords[i - 1].value.flags, 1) > level;
            if (joinsNext) {
                segment(c.stemX - half, b.chords[i + 1].stemX + half, level);
            } else if (!joinsPrevious) {
                const int32_t stub = ctx.units(kStub);
                if (i + 1 < n)
                    segment(c.stemX - half, c.stemX + stub, level);
                else
                    segment(c.stemX - stub, c.stemX + half, level);
            }
        }
    }
    if (const CEvent* tuplet = tupletOf(*b.chords.front().track, b))
        drawTupletNumber(ctx, b, tuplet->data[0]);
}

}  // namespace ks
