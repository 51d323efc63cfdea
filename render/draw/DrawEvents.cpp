#include "render/draw/Drawing.h"
#include "render/draw/EventDrawing.h"

namespace ks {

namespace {

bool isWedge(const CEvent& e) {
    return e.type == EventType::Crescendo || e.type == EventType::Diminuendo;
}

// What an event of a hand's track draws, as recordings name it.
QString markKind(int32_t type) {
    switch (type) {
        case EventType::NoteMarks:
            return QStringLiteral("notemarks");
        case EventType::Crescendo:
        case EventType::Diminuendo:
            return QStringLiteral("wedge");
        case EventType::Lyric:
            return QStringLiteral("lyric");
        case EventType::Phrase:
            return QStringLiteral("phrase");
        default:
            return QStringLiteral("other");
    }
}

void drawEventOfKind(CDrawContext& ctx, const DrawnEvent& e);

void drawTrackEvent(CDrawContext& ctx, const DrawnEvent& e) {
    ctx.surface.beginElement(markKind(e.event.type), e.index);
    drawEventOfKind(ctx, e);
    ctx.surface.endElement();
}

void drawEventOfKind(CDrawContext& ctx, const DrawnEvent& e) {
    switch (e.event.type) {
        case EventType::NoteMarks:
            drawNoteMarks(ctx, e);
            break;
        case EventType::Crescendo:
        case EventType::Diminuendo:
            drawWedge(ctx, e);
            break;
        case EventType::Lyric:
            drawLyric(ctx, e);
            break;
        case EventType::Phrase:
            drawPhraseMark(ctx, e);
            break;
        default:
            break;  // tuplets, grace notes and spellings belong to the notes
    }
}

void drawTrackEvents(CDrawContext& ctx, int t, int part, const LineGeometry& g,
                     const LineSpan& span) {
    const auto& events = ctx.score.track(t).events.items();
    ctx.surface.beginElement(QStringLiteral("part"), part);
    for (size_t i = 0; i < events.size(); ++i) {
        const CEvent& ev = events[i];
        if (ev.time >= span.endTick) break;
        // Before the line only a wedge can still reach into it.
        if (ev.time < span.startTick &&
            (!isWedge(ev) || int64_t(ev.time) + ev.data[0] <= span.startTick))
            continue;
        drawTrackEvent(ctx, {ev, t, static_cast<int32_t>(i), part, g, g.line, g.index, span});
    }
    ctx.surface.endElement();
}

void drawPartEvents(CDrawContext& ctx, int part, const LineGeometry& g, const LineSpan& span) {
    const int t = ctx.score.trackOfPart(part);
    if (t >= 0) drawTrackEvents(ctx, t, part, g, span);
}

void drawSpecialTrack(CDrawContext& ctx, const CTrack& track, int32_t trackNumber,
                      const LineGeometry& g, const LineSpan& span) {
    const auto& events = track.events.items();
    const bool annotations = trackNumber == kAnnotationTrack;
    for (size_t i = 0; i < events.size(); ++i) {
        const CEvent& ev = events[i];
        if (ev.time >= span.endTick) break;
        if (ev.time < span.startTick) continue;
        const DrawnEvent e{ev, trackNumber, static_cast<int32_t>(i), -1, g, g.line, g.index, span};
        if (!annotations) {
            if (ev.type == EventType::Tempo) drawTempoMark(ctx, e);
        } else if (ev.type == EventType::SectionMarker) {
            drawSectionMarker(ctx, e);
        } else if (ev.type >= EventType::Tuplet && ev.type <= EventType::Annotation) {
            drawAnnotation(ctx, e);
        }
    }
}

}  // namespace

void DrawEvents(CDrawContext& ctx, int lineIndex) {
    if (lineIndex < 0 || lineIndex >= ctx.lineCount()) return;
    const CScoreLine& line = ctx.lineRecord(lineIndex);
    if (ctx.view.pageOrLayout() && line.page != ctx.view.page) return;
    const LineSpan span = lineSpan(ctx, line);
    if (span.endBar <= span.firstBar) return;
    const LineGeometry g = lineGeometry(ctx, lineIndex);
    if (ctx.view.mode == ViewMode::TrackSelect) {
        // One track per line; the annotations and tempo marks go with the first.
        if (lineIndex < ctx.score.trackCount())
            drawTrackEvents(ctx, lineIndex, std::max(ctx.score.partOfTrack(lineIndex), 0), g, span);
        if (lineIndex != 0) return;
    } else {
        for (int part = 0; part < kPartCount; ++part)
            drawPartEvents(ctx, part, g, span);
    }
    if (ctx.score.prefs.showannotations)
        drawSpecialTrack(ctx, ctx.score.annotationTrack, kAnnotationTrack, g, span);
    if (ctx.score.prefs.showtempo)
        drawSpecialTrack(ctx, ctx.score.tempoTrack, kTempoTrack, g, span);
}

void addHitRect(const CDrawContext& ctx, const DrawnEvent& e, const QRect& rect, int32_t drawnX) {
    ctx.hitRects.push_back({.track = e.track, .event = e.index, .rect = rect, .drawnX = drawnX});
}

QString eventElementKind(int32_t track) {
    if (track == kAnnotationTrack) return QStringLiteral("annotation");
    if (track == kTempoTrack) return QStringLiteral("tempo");
    return QStringLiteral("event");
}

bool isEdited(const CDrawContext& ctx, const DrawnEvent& e) {
    return ctx.view.editedEvent == e.index && ctx.view.editedEventTrack == e.track;
}

}  // namespace ks
