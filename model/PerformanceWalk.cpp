// The walk works like a merge of the played tracks: each step takes one of, in this
// order of preference, a grace note due by the next note, a trill note due by then, a
// jump to the next time section, and the next note itself. Note-ons and their note-offs are
// generated together and wait in a queue ordered by time until nothing generated later can come
// before them.
#include "PerformanceWalk.h"

#include <algorithm>

#include "Score.h"
#include "TieChain.h"

namespace ks {

namespace {

constexpr int32_t kGraceVelocity = 70;
constexpr int32_t kNoTime = std::numeric_limits<int32_t>::max();

int32_t toInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// When an event sounds: a grace note sounds its length before its main note.
int64_t effectiveTime(const CEvent& e) {
    return e.type == EventType::GraceNote ? int64_t(e.time) - e.data[1] : e.time;
}

const std::vector<CTimeSection>& writtenOrder() {
    static const std::vector<CTimeSection> sections{{0, 0}};
    return sections;
}

}  // namespace

std::vector<int> partTracks(const CScore& score) {
    std::vector<int> tracks;
    for (int p = 0; p < kPartCount; ++p)
        if (int t = score.trackOfPart(p); t >= 0) tracks.push_back(t);
    return tracks;
}

PerformanceWalk::PerformanceWalk(const CScore& score, const std::vector<int>& trackIndices,
                                 const PerformanceOptions& options)
    : options_(options), ppqn_(std::max(score.ppqn, 1)) {
    for (int index : trackIndices) {
        if (index < 0 || index >= score.trackCount()) continue;
        const CTrack& track = score.track(index);
        tracks_.push_back({.track = &track, .trackIndex = index});
        std::vector<int32_t> from(static_cast<size_t>(track.events.size()) + 1, kNoTime);
        if (options_.graceNotes) {
            for (int i = track.events.size() - 1; i >= 0; --i) {
                const CEvent& e = track.events[i];
                const int32_t t =
                    e.type == EventType::GraceNote ? toInt32(effectiveTime(e)) : kNoTime;
                from[static_cast<size_t>(i)] = std::min(t, from[static_cast<size_t>(i) + 1]);
            }
        }
        graceFrom_.push_back(std::move(from));
    }
    finished_ = tracks_.empty();
}

const std::vector<CTimeSection>& PerformanceWalk::sections() const {
    return options_.map ? options_.map->sections : writtenOrder();
}

bool PerformanceWalk::next(CPlayBackEvent& event) {
    for (;;) {
        if (!pending_.empty() && (finished_ || pending_.top().time <= horizon_)) {
            event = pending_.top().event;
            pending_.pop();
            // Only a grace note before the start of a repeated passage can be generated
            // after later events were handed out; it sounds as soon as it can.
            if (event.time < lastSent_) event.time = toInt32(lastSent_);
            lastSent_ = event.time;
            return true;
        }
        if (finished_) return false;
        step();
    }
}

void PerformanceWalk::step() {
    int32_t c = 0;
    const int candidate = findCandidate(c);

    // Nothing generated from here on sounds before the candidate note, the next grace
    // note, the next trill note or the next section.
    int64_t h = int64_t(c) + offset_;
    for (size_t i = 0; i < tracks_.size(); ++i) {
        const int32_t grace = graceFrom_[i][static_cast<size_t>(tracks_[i].eventIndex)];
        if (grace != kNoTime) h = std::min(h, grace + offset_);
    }
    if (!trills_.empty()) h = std::min(h, trills_.top().playTime);
    const std::vector<CTimeSection>& secs = sections();
    if (section_ < secs.size()) h = std::min<int64_t>(h, secs[section_].playTime);
    horizon_ = h;

    if (takeEvent(c)) return;
    if (takeTrill(c)) return;
    if (changeSection(c)) return;
    if (candidate < 0) {
        finished_ = true;
        return;
    }
    takeNote(tracks_[static_cast<size_t>(candidate)]);
}

int PerformanceWalk::findCandidate(int32_t& time) {
    int best = -1;
    time = options_.endTime;
    for (size_t i = 0; i < tracks_.size(); ++i) {
        CPlayBackTrack& t = tracks_[i];
        const CSortedArray<CNote>& notes = t.track->notes;
        // Notes continuing a tie sound as part of the note that starts the chain.
        while (t.noteIndex < notes.size() && (notes[t.noteIndex].flags & NoteFlag::TieEnd))
            ++t.noteIndex;
        if (t.noteIndex < notes.size() && notes[t.noteIndex].time < time) {
            time = notes[t.noteIndex].time;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool PerformanceWalk::takeEvent(int32_t candidateTime) {
    CPlayBackTrack* best = nullptr;
    int64_t bestTime = 0;
    for (CPlayBackTrack& t : tracks_) {
        if (t.eventIndex >= t.track->events.size()) continue;
        const int64_t eff = effectiveTime(t.track->events[t.eventIndex]);
        if (!best || eff < bestTime) {
            best = &t;
            bestTime = eff;
        }
    }
    if (!best || bestTime > candidateTime) return false;
    const CEvent& e = best->track->events[best->eventIndex++];
    if (options_.graceNotes && e.type == EventType::GraceNote &&
        bestTime + offset_ >= options_.startTime) {
        const int32_t velocity =
            compressVelocity(kGraceVelocity, options_.playVelocity, options_.compression);
        queueNote(toInt32(bestTime), offset_, best->trackIndex, e.data[0], 0, velocity,
                  std::max(e.data[1], 0));
    }
    return true;
}

bool PerformanceWalk::takeTrill(int32_t candidateTime) {
    if (trills_.empty() || trills_.top().playTime > int64_t(candidateTime) + offset_) return false;
    const int32_t step = std::max(ppqn_ >> 3, 1);
    Trill t = trills_.top();
    trills_.pop();
    // Two trills may generate the same note: it is played once.
    if (t.playTime != lastTrillTime_ || t.pitchNow() != lastTrillPitch_)
        queueNote(t.scoreTime, t.playTime - t.scoreTime, t.trackIndex, t.pitchNow(), 0, t.velocity,
                  step);
    lastTrillTime_ = t.playTime;
    lastTrillPitch_ = t.pitchNow();
    if (int64_t(t.scoreTime) + step < t.end) {
        t.scoreTime += step;
        t.playTime += step;
        t.nextUpper = !t.nextUpper;
        trills_.push(t);
    }
    return true;
}

bool PerformanceWalk::changeSection(int32_t candidateTime) {
    const std::vector<CTimeSection>& secs = sections();
    if (section_ >= secs.size()) return false;
    const CTimeSection& s = secs[section_];
    if (int64_t(candidateTime) + offset_ < s.playTime) return false;
    offset_ = int64_t(s.playTime) - s.scoreTime;
    reposition(s.scoreTime);
    ++section_;
    return true;
}

void PerformanceWalk::reposition(int32_t scoreTime) {
    CNote noteProbe;
    noteProbe.time = scoreTime;
    noteProbe.pitch = std::numeric_limits<int32_t>::min();
    CEvent eventProbe;
    eventProbe.time = scoreTime;
    eventProbe.pitch = std::numeric_limits<int32_t>::min();
    eventProbe.type = std::numeric_limits<int32_t>::min();
    // A track with nothing at or after the section's start has no more to play in it.
    for (CPlayBackTrack& t : tracks_) {
        t.noteIndex = t.track->notes.lowerBound(noteProbe);
        t.eventIndex = t.track->events.lowerBound(eventProbe);
    }
}

void PerformanceWalk::takeNote(CPlayBackTrack& track) {
    const int index = track.noteIndex++;
    const CNote& note = track.track->notes[index];
    if (int64_t(note.time) + offset_ < options_.startTime) return;

    int64_t sound = note.duration;
    if (note.flags & NoteFlag::TieStart)
        sound = int64_t(tieChainEnd(*track.track, index)) - note.time;
    int32_t velocity = note.velocity;
    if (options_.articulations) {
        const int32_t marks = noteMarksAt(*track.track, note.time);
        if (marks & NoteMark::Staccato) sound = ppqn_ >> 2;
        if (marks & NoteMark::Accent) velocity = 127;
    }
    velocity = compressVelocity(velocity, options_.playVelocity, options_.compression);
    queueNote(note.time, offset_, track.trackIndex, note.pitch, note.duration, velocity,
              toInt32(std::max<int64_t>(sound, 0)));

    const int32_t step = std::max(ppqn_ >> 3, 1);
    if (options_.trills && (note.flags & NoteFlag::Trill) && step < note.duration) {
        trills_.push(Trill{.playTime = int64_t(note.time) + step + offset_,
                           .scoreTime = note.time + step,
                           .end = toInt32(int64_t(note.time) + note.duration),
                           .pitch = note.pitch,
                           .upper = note.pitch + 2,
                           .nextUpper = true,
                           .velocity = velocity,
                           .trackIndex = track.trackIndex});
    }
}

void PerformanceWalk::queueNote(int32_t scoreTime, int64_t offset, int32_t trackIndex,
                                int32_t pitch, int32_t duration, int32_t velocity, int32_t sound) {
    const int64_t on = int64_t(scoreTime) + offset;
    queue(on, CPlayBackEvent{.time = toInt32(on),
                             .scoreTime = scoreTime,
                             .trackIndex = trackIndex,
                             .pitch = pitch,
                             .duration = duration,
                             .velocity = velocity,
                             .noteOff = false,
                             .length = sound});
    // The note is released after 15/16 of its sounding length.
    const int32_t cut = options_.releaseCut ? sound >> 4 : 0;
    const int32_t end = toInt32(int64_t(scoreTime) + sound - cut);
    queue(int64_t(end) + offset, CPlayBackEvent{.time = toInt32(int64_t(end) + offset),
                                                .scoreTime = end,
                                                .trackIndex = trackIndex,
                                                .pitch = pitch,
                                                .duration = 0,
                                                .velocity = velocity,
                                                .noteOff = true});
}

void PerformanceWalk::queue(int64_t time, const CPlayBackEvent& event) {
    pending_.push(Pending{.time = time, .seq = seq_++, .event = event});
}

}  // namespace ks
