// PerformanceWalk: the one road from a score to timed note events. It walks the played
// tracks in time order through the performance map (repeats and voltas unrolled),
// joins tie chains, applies articulations, sounds grace notes and trills, compresses
// velocities and cuts held notes, and hands out note-ons and note-offs in time order.
// Playback, audio rendering and MIDI export use it with different options.
#pragma once

#include <cstdint>
#include <limits>
#include <queue>
#include <vector>

#include "PlayBackEvent.h"
#include "PlayBackMap.h"

namespace ks {

class CScore;

// The tracks a performance plays: the track of each of parts 0 to 3, in this order,
// skipping empty parts (a track shown in two parts is listed twice).
std::vector<int> partTracks(const CScore& score);

struct PerformanceOptions {
    // Repeats and voltas to unroll; null plays the score as written (performance time
    // = score time). The map must outlive the walk.
    const CPlayBackMap* map = nullptr;
    // Performance time where the performance begins: notes before it are silent.
    int32_t startTime = 0;
    // Score time where the music ends: notes at or after it never play.
    int32_t endTime = std::numeric_limits<int32_t>::max();
    bool articulations = true;  // staccato shortens, accent plays at velocity 127
    bool graceNotes = true;     // type-8 events sound before their main notes
    bool trills = true;         // trilled notes alternate with the note two semitones up
    bool releaseCut = true;     // notes are released after 15/16 of their sounding length
    int32_t playVelocity = 127;
    int32_t compression = 0;  // 0..127, see compressVelocity
};

class PerformanceWalk {
  public:
    // Walks the tracks of `score` named by `trackIndices`, in that order (an earlier
    // entry wins among notes at the same time; an index may appear twice). The score
    // must not change while the walk is in use.
    PerformanceWalk(const CScore& score, const std::vector<int>& trackIndices,
                    const PerformanceOptions& options);

    // The next event, in time order (note-offs before note-ons of the same time unless
    // the note-on came first); false once the performance is over.
    bool next(CPlayBackEvent& event);

  private:
    struct Pending {
        int64_t time;
        uint64_t seq;  // generation order breaks ties
        CPlayBackEvent event;
        bool operator>(const Pending& o) const {
            return time != o.time ? time > o.time : seq > o.seq;
        }
    };
    // A trilled note still to be alternated: its next generated note.
    struct Trill {
        int64_t playTime;  // performance time of the next generated note
        int32_t scoreTime;
        int32_t end;  // score time where the written note ends
        int32_t pitch;
        int32_t upper;  // pitch of the upper note
        bool nextUpper;
        int32_t velocity;
        int32_t trackIndex;
        int32_t pitchNow() const { return nextUpper ? upper : pitch; }
        bool operator>(const Trill& o) const {
            return playTime != o.playTime ? playTime > o.playTime : pitchNow() > o.pitchNow();
        }
    };

    const std::vector<CTimeSection>& sections() const;
    void step();
    int findCandidate(int32_t& time);
    bool takeEvent(int32_t candidateTime);
    bool takeTrill(int32_t candidateTime);
    bool changeSection(int32_t candidateTime);
    void takeNote(CPlayBackTrack& track);
    void reposition(int32_t scoreTime);
    void queue(int64_t time, const CPlayBackEvent& event);
    // Queue the note-on of a note at score time `scoreTime` and its note-off after the
    // sounding length `sound`; `offset` turns score into performance time.
    void queueNote(int32_t scoreTime, int64_t offset, int32_t trackIndex, int32_t pitch,
                   int32_t duration, int32_t velocity, int32_t sound);

    const PerformanceOptions options_;
    const int32_t ppqn_;
    std::vector<CPlayBackTrack> tracks_;
    // Per track: the earliest sounding time of any grace note at or after each event index.
    std::vector<std::vector<int32_t>> graceFrom_;
    int64_t offset_ = 0;
    size_t section_ = 0;
    bool finished_ = false;
    int64_t horizon_ = std::numeric_limits<int64_t>::min();  // no later event comes earlier
    int64_t lastSent_ = std::numeric_limits<int64_t>::min();
    uint64_t seq_ = 0;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>> pending_;
    std::priority_queue<Trill, std::vector<Trill>, std::greater<Trill>> trills_;
    int64_t lastTrillTime_ = std::numeric_limits<int64_t>::min();
    int32_t lastTrillPitch_ = -1;
};

}  // namespace ks
