// CScore: the in-memory model of one open document.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "Event.h"
#include "LayoutRecords.h"
#include "PlayBackMap.h"
#include "Preferences.h"
#include "Selection.h"
#include "Signatures.h"
#include "TextBox.h"
#include "Track.h"
#include "UserFont.h"

namespace ks {

constexpr int32_t kDefaultPpqn = 96;
constexpr int32_t kDefaultTempo = 120;
constexpr int32_t kPartCount = 4;
constexpr int32_t kNoPart = 5;  // "first shown part" when no part shows a track
// Ticks of a new document: 300 quarter notes at the default resolution.
constexpr int32_t kNewDocumentLength = 28800;
// Upper limits that keep hostile documents from asking for unbounded work or memory.
constexpr int32_t kMaxPpqn = 9600;
constexpr int32_t kMaxBars = 100000;

namespace Part {
constexpr int32_t RightHand = 0;   // "Right Hand / Treble I"
constexpr int32_t RightHand2 = 1;  // "Right Hand / Treble II"
constexpr int32_t LeftHand = 2;    // "Left Hand / Bass I"
constexpr int32_t LeftHand2 = 3;   // "Left Hand / Bass II"
}  // namespace Part

class CScore {
  public:
    CScore();
    CScore(const CScore& other);
    CScore& operator=(const CScore& other);

    // --- titles ---
    QString title, copyright, artist, subtitle;

    // --- settings ---
    CMidiSettings midi;
    CUserFont font;  // default annotation font
    CDisplaySettings prefs;

    // --- layout (filled by the layout engine) ---
    std::vector<CScoreBar> bars;  // one per bar of the score
    std::vector<CScoreLine> lines;
    std::vector<CScorePage> pages;
    std::vector<CLinePadding> linePaddings;

    // --- time ---
    int32_t ppqn = kDefaultPpqn;
    int32_t length = 0;      // end of the music, on a bar boundary
    int32_t editlength = 0;  // end of the editable area, >= length
    double unit = 0.0;       // the stave unit `u` of the last layout
    double layoutScale = 1.0;

    std::vector<CTimeSignature> timesigs;
    std::vector<CKeySignature> keysigs;
    std::vector<CTrack> tracks;
    std::vector<CScoreVolta> voltamarks;
    std::vector<CUserFont> userfonts;
    CTrack tempoTrack;                 // "Tempo Track": the tempo marks
    CTrack annotationTrack;            // "Annotation Track": annotations, symbols, section markers
    std::vector<CEvent> displayItems;  // filled only from predecessor documents

    int32_t internetID = 0;
    QString filehash;

    // The part map: entry p holds track number + 1 of the track shown in part p; 0 = empty.
    std::array<int32_t, kPartCount> parts = {0, 0, 0, 0};

    CSelection selection;
    CSelection clipSelection;  // used by the clipboard

    CTextBox titleBox;
    CTextBox subtitleBox;

    // --- playback (not saved) ---
    // The repeats and voltas unrolled; rebuilt with rebuildPlaybackMap after every change
    // of bars, bar lines, voltas or length.
    CPlayBackMap playbackMap;
    // Where playback starts, in performance ticks; it stays where playback left it, also
    // through Reset (an undo step of the whole score keeps it; rebuildPlaybackMap keeps it
    // within the performance).
    int32_t playbackCursor = 0;

    // --- total getters ---
    const CTrack& track(int index) const { return recordAt(tracks, index); }
    CTrack* trackPtr(int index);
    const CScoreBar& bar(int index) const { return recordAt(bars, index); }
    const CScoreLine& line(int index) const { return recordAt(lines, index); }
    const CScorePage& page(int index) const { return recordAt(pages, index); }
    int trackCount() const { return static_cast<int>(tracks.size()); }

    // --- time and bar arithmetic ---
    int32_t barAtTick(int32_t tick) const;
    // The signature in force at bar b: the last entry with bar <= b, or the first entry;
    // a default 4/4 when there are none (the mutable overload creates it).
    const CTimeSignature& timeSigAtBar(int32_t bar);
    CTimeSignature timeSigAtBar(int32_t bar) const;
    int32_t barStart(int32_t bar) const;
    int32_t barLength(int32_t bar) const;
    int32_t beatLength(int32_t bar) const;
    // Number of bars between tick 0 and `length`.
    int32_t barCount() const;
    // Tempo at the start: the first tempo-track event when it is a tempo mark, else 120.
    int32_t startTempo() const;
    // Bar length in ticks of nom/denom at this score's resolution.
    int32_t barLengthOf(int32_t nom, int32_t denom) const;

    // --- records ---
    int addTrack(const CTrack& track);
    // Show track t in part p (t < 0 or past the end empties the part).
    void assignTrackToPart(int track, int part);
    // Part that shows track t, or -1.
    int partOfTrack(int track) const;
    // Track shown in part p, or -1.
    int trackOfPart(int part) const;
    int firstShownPart() const;
    // Choose a track for an empty part by keywords in the track names; returns the
    // track assigned or -1.
    int chooseTrackForPart(int part);
    int findOrAddFont(const CUserFont& font);

    // --- restructuring ---
    void setLength(int32_t tick);
    // Set nom/denom at `bar` (or, when bar < 0, at the bar of `tick`).
    void setTimeSignature(int32_t nom, int32_t denom, int32_t bar, int32_t tick = 0,
                          bool defer = false);
    void normaliseTimeSignatures();
    void setKeySignature(int32_t key, int32_t bar);
    // Key in force at bar b, or -1 when no key signature applies.
    int32_t keyAtBar(int32_t bar) const;
    // Resize the bar array to barCount() bars, keeping each bar's saved fields and
    // setting its start, length and index.
    void rebuildBars();

    // --- derived data ---
    // Rebuild the chords of track t over the whole score, then its beams.
    void rebuildTrack(int track);
    void rebuildAllTracks();
    void rebuildBeams(int track);
    // Rebuild the performance map and keep the playback cursor within the performance.
    void rebuildPlaybackMap();

    // --- section markers (annotation track, type 12) ---
    bool hasSectionMarkerAt(int32_t tick) const;
    // Add a marker at `tick` snapped down to a beat; false when one is there already.
    // The caller opens the undo step before calling.
    bool addSectionMarker(int32_t tick);
    // Remove the marker at `tick`: 0 when removed, -1 when there is none, or the id of
    // the message that refuses it (the marker at the start while others exist).
    int removeSectionMarker(int32_t tick);
    void renumberSectionMarkers();
    // When markers exist and the earliest stands after tick 0, a marker is added at 0;
    // true when one was added (the caller renumbers).
    bool ensureStartSectionMarker();
    // `tick` snapped down to a whole beat of its bar.
    int32_t snapToBeat(int32_t tick) const;

    // --- lifecycle ---
    void Reset();
    // Reset, then the content of a new document: two empty tracks in the hands.
    void makeNewDocument();
    // Give the settings their built-in defaults.
    void applyBuiltInDefaults();

  private:
    void relinkTracks();
};

}  // namespace ks
