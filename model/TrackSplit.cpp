#include "TrackSplit.h"

#include <algorithm>
#include <array>

#include "HandSplit.h"
#include "TrackOperations.h"

namespace ks {

namespace {

bool inTie(const CNote& n) {
    return (n.flags & NoteFlag::TieMask) != 0;
}

// The chords that hold notes, in time order (indices into the track's chords).
std::vector<int> soundingChords(const CTrack& track) {
    std::vector<int> out;
    for (int c = 0; c < track.chords.size(); ++c)
        if (!track.chords.at(c).isRest()) out.push_back(c);
    return out;
}

void topNotes(const CTrack& track, std::vector<int>& dest) {
    // From the last note back: the first met at each time is the highest there.
    int32_t time = -1;
    for (int i = track.notes.size() - 1; i >= 0; --i) {
        const int32_t t = track.notes.at(i).time;
        dest[size_t(i)] = t != time ? 1 : 2;
        time = t;
    }
}

// The highest and lowest pitch of each bar over the tracks shown in the parts and the
// source track.
std::pair<std::vector<int32_t>, std::vector<int32_t>> barRanges(const CScore& score, int source) {
    const size_t bars = size_t(std::max(score.barCount(), 0)) + 1;
    std::vector<int32_t> high(bars, -1), low(bars, 128);
    for (int t = 0; t < score.trackCount(); ++t) {
        if (t != source && score.partOfTrack(t) < 0) continue;
        for (const CNote& n : score.track(t).notes) {
            const size_t b = size_t(std::clamp(score.barAtTick(n.time), 0, int(bars) - 1));
            high[b] = std::max(high[b], n.pitch);
            low[b] = std::min(low[b], n.pitch);
        }
    }
    for (size_t b = 0; b < bars; ++b)
        if (high[b] < 0) high[b] = low[b] = 60;
    return {high, low};
}

void analyse(const CScore& score, int source, std::vector<int>& dest) {
    const CTrack& track = score.track(source);
    const auto [high, low] = barRanges(score, source);
    std::vector<int> value(size_t(track.notes.size()), 0);
    const CChord* prev = nullptr;
    for (int c : soundingChords(track)) {
        const CChord& chord = track.chords.at(c);
        const size_t bar = size_t(std::clamp(chord.bar, 0, int(high.size()) - 1));
        const int first = chord.firstNote;
        const int last = first + chord.noteCount - 1;
        const bool prevTopTied =
            prev && inTie(track.notes.at(prev->firstNote + prev->noteCount - 1));
        for (int i = first; i <= last; ++i) {
            const CNote& n = track.notes.at(i);
            int score_ = chord.noteCount == 1 ? n.pitch - 60 : 2 * n.pitch - (high[bar] + low[bar]);
            if (chord.noteCount > 1) {
                if (i == last) score_ += 7;
                if (i == first) score_ -= 7;
            }
            int same = -1;
            if (prev)
                for (int k = prev->firstNote; k < prev->firstNote + prev->noteCount; ++k)
                    if (track.notes.at(k).pitch == n.pitch) same = k;
            if (prev && inTie(n) != prevTopTied) score_ -= 7;
            if (same >= 0) score_ += value[size_t(same)] >> 2;
            if ((n.flags & NoteFlag::TieEnd) && same >= 0) score_ = value[size_t(same)];
            value[size_t(i)] = score_;
            dest[size_t(i)] = score_ > 0 ? 1 : 2;
        }
        prev = &chord;
    }
}

int midpoint(const CTrack& track, const CChord& chord, bool highest) {
    const int at = highest ? chord.firstNote + chord.noteCount - 2 : chord.firstNote;
    return (track.notes.at(at).pitch + track.notes.at(at + 1).pitch) / 2;
}

void runningSplit(const CScore& score, const CTrack& track, bool chordsRight,
                  std::vector<int>& dest) {
    const std::vector<int> chords = soundingChords(track);
    const int32_t opening = score.barStart(8);
    int notes = 0, counted = 0, sum = 0, pairs = 0;
    for (int c : chords) {
        const CChord& chord = track.chords.at(c);
        if (chord.time >= opening) break;
        notes += chord.noteCount;
        ++counted;
        if (chord.noteCount >= 2) {
            sum += midpoint(track, chord, !chordsRight);
            ++pairs;
        }
    }
    const int a = counted ? notes / counted : 0;
    int b = pairs ? sum / pairs : 1;
    int c = b, d = b;
    for (int ci : chords) {
        const CChord& chord = track.chords.at(ci);
        const int split = ((b + c + 2 * d) * 64) >> 8;
        for (int k = 0; k < chord.noteCount; ++k) {
            const int i = chord.firstNote + k;
            dest[size_t(i)] = track.notes.at(i).pitch > split ? 1 : 2;
        }
        if (a > 1 && chord.noteCount >= a && chord.noteCount >= 2) {
            d = c;
            c = b;
            b = midpoint(track, chord, true);
        }
    }

    // Repairs over the chords each new track will hold (the notes starting at a time).
    const size_t n = chords.size();
    std::array<std::vector<int>, 3> count;
    count[1].assign(n, 0);
    count[2].assign(n, 0);
    for (size_t j = 0; j < n; ++j) {
        const CChord& chord = track.chords.at(chords[j]);
        for (int k = 0; k < chord.noteCount; ++k)
            ++count[size_t(dest[size_t(chord.firstNote + k)])][j];
    }
    // The counts of the two chords of track `t` before position j (0 when missing).
    auto before = [&](int t, size_t j) {
        std::array<int, 2> out{0, 0};
        int found = 0;
        for (size_t k = j; k-- > 0 && found < 2;)
            if (count[size_t(t)][k] > 0) out[size_t(found++)] = count[size_t(t)][k];
        return out;
    };
    // Moves the lowest or highest note of track `from` at position j to the other track.
    auto give = [&](int from, size_t j, bool lowest) {
        const CChord& chord = track.chords.at(chords[j]);
        int pick = -1;
        for (int k = 0; k < chord.noteCount; ++k) {
            const int i = chord.firstNote + k;
            if (dest[size_t(i)] != from) continue;
            if (pick < 0 || !lowest) pick = i;
            if (lowest) break;
        }
        if (pick < 0) return;
        dest[size_t(pick)] = 3 - from;
        --count[size_t(from)][j];
        ++count[size_t(3 - from)][j];
    };
    for (size_t j = 0; j < n; ++j) {
        const int here = count[1][j];
        const auto p1 = before(1, j);
        if (here < 2 || here <= p1[0] || here <= p1[1]) continue;
        const int other = count[2][j];
        const auto p2 = before(2, j);
        if (other > 0 && p2[0] >= other && p2[1] >= other) give(1, j, true);
    }
    for (size_t j = 0; j < n; ++j) {
        const int here = count[2][j];
        const auto p2 = before(2, j);
        if (here < 2 || here <= p2[0] || here <= p2[1]) continue;
        const auto p1 = before(1, j);
        if (count[1][j] < p1[0] || count[1][j] < p1[1]) give(2, j, !chordsRight);
    }
}

}  // namespace

std::vector<int> splitDestinations(const CScore& score, int source, SplitMethod method,
                                   int32_t pitch) {
    const CTrack& track = score.track(source);
    std::vector<int> dest(size_t(track.notes.size()), 2);
    switch (method) {
        case SplitMethod::TopNotes:
            topNotes(track, dest);
            break;
        case SplitMethod::AtPitch:
            for (int i = 0; i < track.notes.size(); ++i)
                dest[size_t(i)] = track.notes.at(i).pitch >= pitch ? 1 : 2;
            break;
        case SplitMethod::Analyse:
            analyse(score, source, dest);
            break;
        case SplitMethod::ChordsRight:
        case SplitMethod::ChordsLeft:
            runningSplit(score, track, method == SplitMethod::ChordsRight, dest);
            break;
        case SplitMethod::Hands:
            dest = assignHands(track, score.ppqn);
            break;
    }
    // Tuplets stay whole in the first track; tied pieces follow the piece before them.
    std::array<int, 128> lastOfPitch;
    lastOfPitch.fill(-1);
    for (int i = 0; i < track.notes.size(); ++i) {
        const CNote& n = track.notes.at(i);
        if (n.flags & NoteFlag::Tuplet) dest[size_t(i)] = 1;
        const size_t p = size_t(std::clamp(n.pitch, 0, 127));
        const int prev = lastOfPitch[p];
        if ((n.flags & NoteFlag::TieEnd) && prev >= 0 && track.notes.at(prev).end() == n.time &&
            (track.notes.at(prev).flags & NoteFlag::TieStart))
            dest[size_t(i)] = dest[size_t(prev)];
        lastOfPitch[p] = i;
    }
    return dest;
}

int splitTrack(CScore& score, const SplitRequest& request) {
    const int source = request.source;
    if (source < 0 || source >= score.trackCount()) return -1;
    // The methods read the source's chords.
    if (!score.track(source).chordsvalid) score.rebuildTrack(source);
    const std::vector<int> dest = splitDestinations(score, source, request.method, request.pitch);
    const CTrack& from = score.track(source);
    CTrack one, two;
    one.title = request.name1;
    two.title = request.name2;
    one.length = two.length = from.length;
    std::vector<CNote> notes1, notes2;
    for (int i = 0; i < from.notes.size(); ++i)
        (dest[size_t(i)] == 1 ? notes1 : notes2).push_back(from.notes.at(i));
    one.notes.assign(std::move(notes1));
    two.notes.assign(std::move(notes2));
    std::vector<CEvent> events1, events2;
    for (const CEvent& e : from.events) {
        switch (e.type) {
            case EventType::Tuplet:
            case EventType::NoteMarks:
            case EventType::Lyric:
            case EventType::Phrase:
                events1.push_back(e);
                break;
            case EventType::GraceNote:
                if (one.notes.find(CNote{.time = e.time, .pitch = e.data[2]}) >= 0)
                    events1.push_back(e);
                else if (two.notes.find(CNote{.time = e.time, .pitch = e.data[2]}) >= 0)
                    events2.push_back(e);
                break;
            default:
                break;
        }
    }
    one.events.assign(std::move(events1));
    two.events.assign(std::move(events2));
    const int first = score.addTrack(one);
    const int second = score.addTrack(two);
    score.rebuildTrack(first);
    score.rebuildTrack(second);
    if (request.destination1 >= 0 || request.destination2 >= 0) {
        const int shown = score.partOfTrack(source);
        if (shown >= 0) score.parts[size_t(shown)] = 0;
        if (request.destination1 >= 0) score.assignTrackToPart(first, request.destination1);
        if (request.destination2 >= 0) score.assignTrackToPart(second, request.destination2);
    }
    keepCurrentPartShown(score);
    return first;
}

}  // namespace ks
