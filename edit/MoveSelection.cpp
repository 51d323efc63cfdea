#include "MoveSelection.h"

#include <algorithm>

#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"

namespace ks {

namespace {

struct Extent {
    int32_t first = INT32_MAX, end = 0, top = 0, bottom = 127;
};

Extent extentOf(const CTrack& track, const std::vector<int>& indexes) {
    Extent x;
    for (int i : indexes) {
        const CNote& n = track.notes.at(i);
        x.first = std::min(x.first, n.time);
        x.end = std::max(x.end, n.end());
        x.top = std::max(x.top, n.pitch);
        x.bottom = std::min(x.bottom, n.pitch);
    }
    return x;
}

// A moved note would overlap an unselected note of its new pitch. The unselected notes
// of each pitch are kept in time order with the latest end so far, so each moved note
// is one bisection.
bool collides(const CTrack& track, const std::vector<int>& selected, int32_t dt, int32_t dp) {
    struct Span {
        int32_t time;
        int32_t maxEnd;  // the latest end of this and every earlier note of the pitch
    };
    std::vector<std::vector<Span>> byPitch(128);
    size_t next = 0;
    for (int i = 0; i < track.notes.size(); ++i) {
        if (next < selected.size() && selected[next] == i) {
            ++next;
            continue;
        }
        const CNote& o = track.notes.at(i);
        if (o.pitch < 0 || o.pitch > 127) continue;
        std::vector<Span>& list = byPitch[static_cast<size_t>(o.pitch)];
        list.push_back({o.time, std::max(o.end(), list.empty() ? INT32_MIN : list.back().maxEnd)});
    }
    for (int i : selected) {
        const CNote& n = track.notes.at(i);
        const int32_t pitch = n.pitch + dp;
        if (pitch < 0 || pitch > 127) continue;
        const int64_t start = int64_t(n.time) + dt, end = int64_t(n.end()) + dt;
        const std::vector<Span>& list = byPitch[static_cast<size_t>(pitch)];
        // The last unselected note starting before the moved note ends.
        auto it = std::lower_bound(list.begin(), list.end(), end,
                                   [](const Span& sp, int64_t e) { return sp.time < e; });
        if (it != list.begin() && (it - 1)->maxEnd > start) return true;
    }
    return false;
}

// The tuplet marker of a selection that is exactly one complete tuplet, or -1.
int wholeTupletMarker(const CTrack& track, const std::vector<int>& selected) {
    if (selected.empty()) return -1;
    for (int i : selected)
        if (!(track.notes.at(i).flags & NoteFlag::Tuplet)) return -1;
    const int32_t start = track.notes.at(selected.front()).time;
    for (int e = 0; e < track.events.size(); ++e) {
        const CEvent& ev = track.events.at(e);
        if (ev.type != EventType::Tuplet || ev.time != start) continue;
        int inside = 0;
        for (const CNote& n : track.notes)
            if (n.time >= ev.time && n.time < ev.data[1]) ++inside;
        return inside == static_cast<int>(selected.size()) ? e : -1;
    }
    return -1;
}

}  // namespace

EditOutcome moveSelection(EditContext& ctx, int32_t dt, int32_t dp, bool copy) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (!track) return EditOutcome::Nothing;
    const std::vector<int> selected = selectedNoteIndexes(*track, s);
    if (selected.empty() || (dt == 0 && dp == 0)) return EditOutcome::Nothing;
    const Extent x = extentOf(*track, selected);
    dp = std::clamp(dp, -x.bottom, 127 - x.top);
    dt = std::max<int32_t>(dt, -x.first);
    if (dt == 0 && dp == 0) return EditOutcome::Nothing;
    if (collides(*track, selected, dt, dp)) {
        s.dragDx = s.dragDy = 0;
        return EditOutcome::Nothing;
    }
    const int64_t newEnd = int64_t(x.end) + dt;
    const bool grows = newEnd > score.length;
    const int label = copy      ? StringId::CopyNotes
                      : dt != 0 ? StringId::MoveNotes
                                : StringId::TransposeNotes;
    ctx.history.Push(label, grows ? UndoKind::Score : UndoKind::Track, grows ? 0 : t);
    if (grows) score.setLength(static_cast<int32_t>(std::min<int64_t>(newEnd, INT32_MAX)));
    track = score.trackPtr(t);

    std::vector<CNote> moved;
    moved.reserve(selected.size());
    for (int i : selected) {
        CNote n = track->notes.at(i);
        n.time += dt;
        n.pitch += dp;
        moved.push_back(n);
    }
    std::vector<CNoteRef> oldRefs;
    for (int i : selected)
        oldRefs.push_back({track->notes.at(i).time, track->notes.at(i).pitch});

    if (!copy) {
        // Grace notes follow their main notes; lyrics follow chords that move whole.
        const int tuplet = wholeTupletMarker(*track, selected);
        std::vector<CEvent> events = track->events.items();
        for (size_t e = 0; e < events.size(); ++e) {
            CEvent& ev = events[e];
            if (static_cast<int>(e) == tuplet) {
                ev.time += dt;
                ev.data[1] += dt;
            } else if (ev.type == EventType::GraceNote &&
                       std::binary_search(oldRefs.begin(), oldRefs.end(),
                                          CNoteRef{ev.time, ev.data[2]})) {
                ev.time += dt;
                ev.data[0] = std::clamp(ev.data[0] + dp, 0, 127);
                ev.data[2] += dp;
            } else if (ev.type == EventType::Lyric && dt != 0) {
                const auto& notes = track->notes.items();
                auto n = std::lower_bound(notes.begin(), notes.end(), ev.time,
                                          [](const CNote& a, int32_t t) { return a.time < t; });
                bool whole = n != notes.end() && n->time == ev.time;
                for (; whole && n != notes.end() && n->time == ev.time; ++n)
                    whole = std::binary_search(oldRefs.begin(), oldRefs.end(),
                                               CNoteRef{n->time, n->pitch});
                if (whole) ev.time += dt;
            }
        }
        track->events.assign(std::move(events));
        std::vector<CNote> kept;
        kept.reserve(static_cast<size_t>(track->notes.size()));
        size_t next = 0;
        for (int i = 0; i < track->notes.size(); ++i) {
            if (next < selected.size() && selected[next] == i) {
                ++next;
                continue;
            }
            kept.push_back(track->notes.at(i));
        }
        track->notes.assign(std::move(kept));
    }
    track->notes.AddAll(moved);
    track->chordsvalid = false;
    score.rebuildTrack(t);

    s.notes.clear();
    for (const CNote& n : moved)
        s.notes.push_back({n.time, n.pitch});
    std::sort(s.notes.begin(), s.notes.end());
    s.objects.clear();
    s.dragDx = s.dragDy = 0;
    fitBoxToNotes(score);
    return grows ? EditOutcome::ScoreLengthened : EditOutcome::Score;
}

}  // namespace ks
