// The mouse in Music and Track select mode: picking annotations, markers, wedges and
// tempo marks by what was drawn for them, the rubber band, clicks that place the
// cursor, dragging the selection to another time and pitch, and moving or resizing the
// picked object.
#include <QMouseEvent>
#include <algorithm>

#include "app/KeystaveView.h"
#include "app/ZoomRules.h"
#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/MoveSelection.h"
#include "edit/NoteEntry.h"
#include "edit/NoteLength.h"
#include "edit/SectionMarkerCommands.h"
#include "edit/SelectionOps.h"
#include "render/draw/Drawing.h"
#include "render/draw/MusicView.h"
#include "render/layout/LayoutUnit.h"
#include "render/layout/StaveGeometry.h"
#include "render/layout/TickMapping.h"
#include "render/surface/RecordingSurface.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

constexpr int32_t kWedgeEndReach = 60;  // page units either side of a wedge's end
constexpr int kTinyDragPixels = 3;

bool isWedge(const CEvent& e) {
    return e.type == EventType::Crescendo || e.type == EventType::Diminuendo;
}

CTrack* trackOfRef(CScore& score, int32_t track) {
    if (track == kAnnotationTrackRef) return &score.annotationTrack;
    if (track == kTempoTrackRef) return &score.tempoTrack;
    return score.trackPtr(track);
}

// Puts `e` in place of the event at `ref` (its index may change with its time).
CEventRef replaceEvent(CScore& score, const CEventRef& ref, const CEvent& e) {
    CTrack* track = trackOfRef(score, ref.track);
    if (!track || ref.index < 0 || ref.index >= track->events.size()) return {};
    track->events.removeAt(ref.index);
    return CEventRef{ref.track, track->addEvent(e)};
}

}  // namespace

std::vector<EventHitRect> CKeystaveView::visibleHitRects() const {
    const QRect units = visibleUnits();
    RecordingSurface surface(CSurface::Kind::Screen, units);
    const CViewState view = drawnState(units);
    CDrawContext ctx(surface, doc_.score(), view, page());
    for (int i = 0; i < ctx.lineCount(); ++i)
        DrawEvents(ctx, i);
    return ctx.hitRects;
}

int32_t CKeystaveView::tickAtUnits(int32_t x) const {
    const CScore& score = doc_.score();
    const int bar = barAtX(score, x);
    if (bar < 0) return 0;
    return std::clamp(xToTick(score, bar, x), 0, std::max(score.length, 0));
}

int32_t CKeystaveView::pitchAtUnits(int32_t y) const {
    if (state_.lines.empty()) return 60;
    return std::clamp(yToPitch(state_.lines.front(), layoutUnit(doc_.score()), y), 0, 127);
}

void CKeystaveView::musicPress(QMouseEvent* event) {
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    const QPoint px = event->position().toPoint();
    const QPoint u = unitsAt(px);
    drag_ = Drag{};
    drag_.press = drag_.current = px;
    drag_.modifiers = event->modifiers();
    event->accept();

    // Events of the part being edited first, then annotations, then tempo marks.
    const std::vector<EventHitRect> hits = visibleHitRects();
    const int own = score.trackOfPart(s.hand);
    const EventHitRect* hit = nullptr;
    for (int32_t track : {own, kAnnotationTrackRef, kTempoTrackRef}) {
        if (track < 0 && track != kAnnotationTrackRef && track != kTempoTrackRef) continue;
        for (const EventHitRect& h : hits)
            if (h.track == track && h.rect.contains(u)) {
                hit = &h;
                break;
            }
        if (hit) break;
    }
    if (hit) {
        const CEventRef ref{hit->track, hit->event};
        const CEvent* e = eventOf(score, ref);
        if (!e) return;
        setEditMode(score, EditMode::Picked);
        clearSelection(s);
        s.objects = {ref};
        s.currentObject = ref;
        drag_.object = ref;
        drag_.original = *e;
        drag_.state = 3;
        if (isWedge(*e) && hit->track == own) {
            const bool nearLeft = std::abs(u.x() - hit->rect.left()) <= kWedgeEndReach;
            const bool nearRight = std::abs(u.x() - hit->rect.right()) <= kWedgeEndReach;
            if (nearLeft || nearRight) {
                drag_.state = u.x() < hit->rect.center().x() ? 4 : 5;
                viewport()->setCursor(Qt::SizeHorCursor);
            }
        }
        s.dragDx = u.x() - hit->rect.left();
        s.dragDy = u.y() - hit->rect.top();
        viewport()->update();
        return;
    }
    RecordingSurface surface(CSurface::Kind::Screen);
    const CDrawContext ctx(surface, score, state_, page());
    const bool inBox = !s.notes.empty() && cursorBoxRect(ctx).contains(u);
    if (!inBox) setEditMode(score, EditMode::Notes);
    drag_.state = inBox ? 2 : 1;
    viewport()->update();
}

void CKeystaveView::musicMove(QMouseEvent* event) {
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    const QPoint px = event->position().toPoint();
    if (drag_.state == 0) {
        updateHoverCursor(px);
        return;
    }
    drag_.current = px;
    const int z = zoom();
    const QPoint delta = px - drag_.press;
    if (std::abs(delta.x()) > kTinyDragPixels || std::abs(delta.y()) > kTinyDragPixels)
        drag_.moved = true;
    switch (drag_.state) {
        case 1:
            viewport()->update();
            break;
        case 2:
            s.dragDx = static_cast<int32_t>(int64_t(delta.x()) * 1000 / z);
            s.dragDy = static_cast<int32_t>(int64_t(delta.y()) * 1000 / z);
            viewport()->update();
            break;
        case 3:
        case 4:
        case 5: {
            if (!drag_.moved) break;
            const QPoint a = unitsAt(drag_.press), b = unitsAt(px);
            const int32_t dt = tickAtUnits(b.x()) - tickAtUnits(a.x());
            CEvent e = drag_.original;
            if (drag_.state == 3) {
                e.time = std::max(0, e.time + dt);
                if (e.type != EventType::SectionMarker && !state_.lines.empty()) {
                    const CScoreLine& line = state_.lines.front();
                    const double u = layoutUnit(score);
                    const int32_t dp =
                        yToFractionalPitch(line, u, b.y()) - yToFractionalPitch(line, u, a.y());
                    e.setPitch(e.pitch + dp);
                }
            } else if (drag_.state == 4) {
                // The left end moves; the right end stays.
                const int32_t end = e.time + e.data[0];
                const int32_t start = std::clamp(e.time + dt, 0, end);
                if (end - start < score.ppqn) break;
                e.time = start;
                e.data[0] = end - start;
            } else {
                const int32_t length = e.data[0] + dt;
                if (length < score.ppqn) break;
                e.data[0] = length;
            }
            const CEventRef now = replaceEvent(score, drag_.object, e);
            if (!now.valid()) break;
            drag_.object = now;
            s.objects = {now};
            s.currentObject = now;
            viewport()->update();
            break;
        }
        default:
            break;
    }
}

void CKeystaveView::musicRelease(QMouseEvent* event) {
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    const Drag drag = drag_;
    drag_ = Drag{};
    viewport()->unsetCursor();
    const bool shift = drag.modifiers & Qt::ShiftModifier;
    const bool ctrl = drag.modifiers & Qt::ControlModifier;
    const int32_t step = currentStep(score.ppqn);
    event->accept();
    switch (drag.state) {
        case 1: {
            const QRect box =
                QRect(unitsAt(drag.press), unitsAt(event->position().toPoint())).normalized();
            TickPitchRect r;
            r.timeStart = tickAtUnits(box.left());
            r.timeEnd = std::max(tickAtUnits(box.right()), r.timeStart + 1);
            r.pitchTop = pitchAtUnits(box.top());
            r.pitchBottom = pitchAtUnits(box.bottom());
            const std::vector<CNoteRef> before = s.notes;
            const bool click = r.timeEnd - r.timeStart < std::max(score.ppqn / 4, 1) &&
                               r.pitchTop == r.pitchBottom;
            if (click) {
                placeCursorAt(score, r, step);
            } else {
                clearSelection(s);
                s.timestart = r.timeStart;
                s.timeend = r.timeEnd;
                s.pitchlo = r.pitchTop;
                s.pitchhi = r.pitchBottom;
            }
            if (!ctrl) {
                if (shift) {
                    // Shift adds what the click or box caught to what was selected (a
                    // note caught again leaves the selection).
                    if (click) {
                        selectAtCursor(score, false);
                        const std::vector<CNoteRef> caught = s.notes;
                        s.notes = before;
                        for (const CNoteRef& n : caught) {
                            auto it = std::lower_bound(s.notes.begin(), s.notes.end(), n);
                            if (it != s.notes.end() && *it == n)
                                s.notes.erase(it);
                            else
                                s.notes.insert(it, n);
                        }
                    } else {
                        s.notes = before;
                        selectAtCursor(score, true);
                    }
                } else {
                    selectAtCursor(score, false);
                }
                fitBoxToNotes(score);
            }
            selectionChanged();
            break;
        }
        case 2: {
            if (!drag.moved && ctrl) {
                // Ctrl+click on the selection moves it to the next part, with Shift to the
                // previous one.
                EditContext ctx{score, doc_.history()};
                afterEdit(static_cast<int>(moveNotesToPart(ctx, shift ? -1 : +1)));
                break;
            }
            if (!drag.moved) {
                // A click inside the selection: Shift toggles the note there, else the
                // click places the cursor as anywhere else.
                const QPoint u = unitsAt(drag.press);
                const int32_t t = tickAtUnits(u.x());
                TickPitchRect r{t, t + 1, pitchAtUnits(u.y()), pitchAtUnits(u.y())};
                const std::vector<CNoteRef> before = s.notes;
                placeCursorAt(score, r, step);
                if (shift) {
                    const std::vector<CNoteRef> caught = s.notes;
                    s.notes = before;
                    for (const CNoteRef& n : caught)
                        if (std::erase(s.notes, n) == 0)
                            s.notes.insert(std::lower_bound(s.notes.begin(), s.notes.end(), n), n);
                    fitBoxToNotes(score);
                }
                selectionChanged();
                break;
            }
            const QPoint a = unitsAt(drag.press), b = unitsAt(event->position().toPoint());
            // The time offset snaps to the current note length, as the cursor does.
            const int32_t raw = tickAtUnits(b.x()) - tickAtUnits(a.x());
            const int32_t dt = static_cast<int32_t>(std::llround(double(raw) / std::max(step, 1)) *
                                                    std::max(step, 1));
            const int32_t dp = pitchAtUnits(b.y()) - pitchAtUnits(a.y());
            s.dragDx = s.dragDy = 0;
            EditContext ctx{score, doc_.history()};
            afterEdit(static_cast<int>(moveSelection(ctx, dt, dp, ctrl)));
            break;
        }
        case 3:
        case 4:
        case 5: {
            s.dragDx = s.dragDy = 0;
            const CEvent* now = eventOf(score, drag.object);
            if (!now || !drag.moved || *now == drag.original) {
                if (now && now->type == EventType::Tempo) setEditMode(score, EditMode::TempoMark);
                if (now) {
                    s.objects = {drag.object};
                    s.currentObject = drag.object;
                }
                viewport()->update();
                break;
            }
            // The step records the object as it was before the drag moved it live.
            const CEvent final = *now;
            const CEventRef original = replaceEvent(score, drag.object, drag.original);
            if (final.type == EventType::SectionMarker &&
                drag.object.track == kAnnotationTrackRef) {
                EditContext ctx{score, doc_.history()};
                const MarkerOutcome out = moveSectionMarker(ctx, original.index, final.time);
                if (out.message && showMessage) showMessage(out.message);
                s.objects.clear();
                s.currentObject = CEventRef{};
                if (out.changed) scoreEdited();
                viewport()->update();
                break;
            }
            doc_.history().Push(drag.state == 3 ? StringId::MoveItem : StringId::ResizeItem,
                                UndoKind::Score);
            const CEventRef ref = replaceEvent(score, original, final);
            s.objects = {ref};
            s.currentObject = ref;
            if (final.type == EventType::Tempo) setEditMode(score, EditMode::TempoMark);
            s.objects = {ref};
            s.currentObject = ref;
            scoreEdited();
            break;
        }
        default:
            break;
    }
}

void CKeystaveView::trackSelectPress(QMouseEvent* event) {
    event->accept();
    const QPoint u = unitsAt(event->position().toPoint());
    RecordingSurface surface(CSurface::Kind::Screen);
    const CDrawContext ctx(surface, doc_.score(), state_, page());
    for (int t = 0; t < ctx.lineCount(); ++t) {
        const QRect band = trackBandRect(ctx, t);
        if (u.y() < band.top() || u.y() > band.bottom()) continue;
        if (doc_.score().selection.selecttrack != t) {
            doc_.score().selection.selecttrack = t;
            viewport()->update();
        }
        return;
    }
}

void CKeystaveView::updateHoverCursor(QPoint pixel) {
    if (state_.mode != ViewMode::Music) return;
    const CScore& score = doc_.score();
    const QPoint u = unitsAt(pixel);
    const int own = score.trackOfPart(score.selection.hand);
    bool overEnd = false;
    if (own >= 0)
        for (const EventHitRect& h : visibleHitRects()) {
            if (h.track != own || !h.rect.contains(u)) continue;
            const CEvent* e = eventOf(score, CEventRef{h.track, h.event});
            if (e && isWedge(*e) &&
                (std::abs(u.x() - h.rect.left()) <= kWedgeEndReach ||
                 std::abs(u.x() - h.rect.right()) <= kWedgeEndReach))
                overEnd = true;
        }
    if (overEnd)
        viewport()->setCursor(Qt::SizeHorCursor);
    else
        viewport()->unsetCursor();
}

void CKeystaveView::mouseMoveEvent(QMouseEvent* event) {
    if (state_.mode == ViewMode::Music) {
        musicMove(event);
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CKeystaveView::mouseReleaseEvent(QMouseEvent* event) {
    if (state_.mode == ViewMode::Music && event->button() == Qt::LeftButton && drag_.state) {
        musicRelease(event);
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

}  // namespace ks
