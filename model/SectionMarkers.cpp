// Section markers: type-12 events of the annotation track, snapped to beats and
// numbered "Section 1", "Section 2", ... unless the user typed their caption.
#include "Score.h"
#include "StringIds.h"
#include "TextFormat.h"
#include "TextTable.h"

namespace ks {

namespace {

constexpr int32_t kMarkerKey = 84;

}  // namespace

int32_t CScore::snapToBeat(int32_t tick) const {
    const int32_t bar = barAtTick(tick);
    const int32_t start = barStart(bar);
    const int32_t beat = beatLength(bar);
    return start + (std::max(tick - start, 0) / beat) * beat;
}

bool CScore::hasSectionMarkerAt(int32_t tick) const {
    const int32_t at = snapToBeat(tick);
    for (const CEvent& e : annotationTrack.events)
        if (e.type == EventType::SectionMarker && e.time == at) return true;
    return false;
}

namespace {

CEvent sectionMarkerAt(const CScore& score, int32_t at) {
    CEvent marker;
    marker.type = EventType::SectionMarker;
    marker.time = at;
    marker.data[1] = at - score.barStart(score.barAtTick(at));
    marker.data[3] = 1;
    marker.setKey(kMarkerKey);
    return marker;
}

}  // namespace

bool CScore::ensureStartSectionMarker() {
    for (const CEvent& e : annotationTrack.events) {
        if (e.type != EventType::SectionMarker) continue;
        if (e.time == 0) return false;
        // Events are in time order: the first marker found is the earliest.
        annotationTrack.addEvent(sectionMarkerAt(*this, 0));
        return true;
    }
    return false;
}

bool CScore::addSectionMarker(int32_t tick) {
    if (hasSectionMarkerAt(tick)) return false;
    annotationTrack.addEvent(sectionMarkerAt(*this, snapToBeat(tick)));
    renumberSectionMarkers();
    return true;
}

int CScore::removeSectionMarker(int32_t tick) {
    int index = -1;
    int others = 0;
    for (int i = 0; i < annotationTrack.events.size(); ++i) {
        const CEvent& e = annotationTrack.events.at(i);
        if (e.type != EventType::SectionMarker) continue;
        if (e.time == tick && index < 0)
            index = i;
        else
            ++others;
    }
    if (index < 0) return -1;
    if (tick == 0 && others > 0) return StringId::MarkerAtStart;
    annotationTrack.events.removeAt(index);
    renumberSectionMarkers();
    return 0;
}

void CScore::renumberSectionMarkers() {
    int count = 0;
    for (CEvent& e : annotationTrack.events) {
        if (e.type != EventType::SectionMarker) continue;
        ++count;
        if (e.data[2] != 1) e.text = formatText(text(StringId::SectionCaption), {int64_t(count)});
    }
}

}  // namespace ks
