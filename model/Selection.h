// CSelection: the cursor and selection record a score keeps and saves with undo steps.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace ks {

// View modes of a document window.
namespace ViewMode {
constexpr int32_t Page = 1;
constexpr int32_t Layout = 2;
constexpr int32_t Music = 3;
constexpr int32_t Blocked = 4;  // a mode change is refused while the view holds this value
constexpr int32_t TrackSelect = 5;
}  // namespace ViewMode

// Edit modes held in `mode`; 16 and up are the Layout and Track select sub-states.
namespace EditMode {
constexpr int32_t None = 0;        // Page mode
constexpr int32_t Notes = 1;       // Music mode: note editing
constexpr int32_t Picked = 2;      // an annotation or marker picked with the mouse
constexpr int32_t Annotation = 3;  // Annotation mode (Ctrl+G)
constexpr int32_t Lyric = 4;       // Lyric mode (Ctrl+L)
constexpr int32_t Tuplet = 5;      // editing the notes of one tuplet
constexpr int32_t Grace = 6;       // editing the grace note of one note
constexpr int32_t TempoMark = 7;   // a tempo mark picked for typing its value
constexpr int32_t LayoutLine = 16;
constexpr int32_t LayoutBar = 32;
constexpr int32_t TrackSelect = 128;
}  // namespace EditMode

// Tracks of a CEventRef besides the music tracks.
constexpr int32_t kAnnotationTrackRef = -1;
constexpr int32_t kTempoTrackRef = -2;
constexpr int32_t kNoTrackRef = -3;

// A note of the current part's track by its time and pitch (unique within a track).
struct CNoteRef {
    int32_t time = 0;
    int32_t pitch = 0;
    auto operator<=>(const CNoteRef&) const = default;
};

// An event by its track (a music track, kAnnotationTrackRef or kTempoTrackRef) and its
// index in that track's events.
struct CEventRef {
    int32_t track = kNoTrackRef;
    int32_t index = -1;
    bool valid() const { return track != kNoTrackRef && index >= 0; }
    bool operator==(const CEventRef&) const = default;
};

struct CSelection {
    int32_t hand = 0;  // current part 0..3
    int32_t mode = EditMode::Notes;
    int32_t timestart = 0;  // cursor or selection start, ticks
    int32_t timeend = 1;    // exclusive end; a bare cursor has timeend = timestart + 1
    int32_t pitchlo = 60;   // the TOP pitch of the box (the cursor pitch when collapsed)
    int32_t pitchhi = 60;   // the BOTTOM pitch of the box
    int32_t lyricindex = 0;
    int32_t layoutindex = 0;
    int32_t layoutbar = 0;
    int32_t selecttrack = -1;

    // --- runtime state, not stored ---
    int32_t dragDx = 0;  // offset of a selection or object being dragged, page units
    int32_t dragDy = 0;
    CEventRef currentObject;         // the annotation, marker or tempo mark being edited
    std::vector<CNoteRef> notes;     // selected notes of the current part's track, sorted
    std::vector<CEventRef> objects;  // selected annotations and markers

    int32_t pitchTop() const { return pitchlo; }
    int32_t pitchBottom() const { return pitchhi; }

    bool operator==(const CSelection&) const = default;
};

}  // namespace ks
