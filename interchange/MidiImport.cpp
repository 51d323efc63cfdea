#include "MidiImport.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <deque>

#include "interchange/MidiGrid.h"
#include "interchange/MidiPickup.h"
#include "interchange/MidiQuantise.h"
#include "interchange/MidiStringIds.h"
#include "model/TextTable.h"

namespace ks {

void pairNotes(const CMidiTrack& midi, CTrack& track) {
    struct Waiting {
        int32_t time;
        int channel;
        int key;
        int velocity;
    };
    std::deque<Waiting> waiting;
    std::vector<CNote> notes;
    for (const CMidiEvent& e : midi.events) {
        const int kind = e.status & 0xF0;
        const int channel = e.status & 0x0F;
        const int key = e.data[0] & 0x7F;
        const int velocity = e.data[1] & 0x7F;
        if (kind == 0x90 && velocity > 0) {
            waiting.push_back({e.time, channel, key, velocity});
            continue;
        }
        if (kind != 0x80 && kind != 0x90) continue;
        auto it = std::find_if(waiting.begin(), waiting.end(), [&](const Waiting& w) {
            return w.channel == channel && w.key == key;
        });
        if (it == waiting.end()) continue;  // a release of nothing
        notes.push_back(CNote{.time = it->time,
                              .duration = e.time - it->time,
                              .pitch = key,
                              .velocity = it->velocity});
        track.length = std::max(track.length, e.time);
        waiting.erase(it);
    }
    // A note overlapped by a later note of its own pitch ends where that one starts, even
    // when the later one is never released (it is dropped afterwards).
    std::vector<std::vector<int32_t>> starts(128);
    for (const CNote& n : notes)
        starts[static_cast<size_t>(n.pitch)].push_back(n.time);
    for (const Waiting& w : waiting)
        starts[static_cast<size_t>(w.key)].push_back(w.time);
    for (auto& list : starts)
        std::sort(list.begin(), list.end());
    for (CNote& n : notes) {
        const auto& list = starts[static_cast<size_t>(n.pitch)];
        auto next = std::upper_bound(list.begin(), list.end(), n.time);
        if (next != list.end() && *next < n.end()) n.duration = *next - n.time;
    }
    track.notes.AddAll(std::move(notes));
    track.chordsvalid = false;
}

void detectTriplets(CTrack& track, int32_t a, int32_t b, int32_t ppqn) {
    const int32_t tau = std::max(ppqn, 0) >> 5;
    std::vector<CNote> notes(track.notes.begin(), track.notes.end());
    bool moved = false;
    const auto near = [tau](int32_t t, int32_t p) { return std::abs(t - p) <= tau; };
    for (int32_t d = b; d >= ppqn / 2 && d > 0; d /= 2) {
        for (int32_t s = a; s + d <= a + b; s += d) {
            const int32_t p0 = s, p1 = s + d / 3, p2 = s + 2 * d / 3, last = s + d - 1;
            auto first = std::lower_bound(notes.begin(), notes.end(), s - tau,
                                          [](const CNote& n, int32_t t) { return n.time < t; });
            std::vector<size_t> collected;
            int counted = 0;
            bool rejected = false;
            for (auto it = first; it != notes.end() && it->time <= last + tau; ++it) {
                const int32_t t = it->time;
                if (it->flags & NoteFlag::Tuplet) {
                    rejected = true;
                    break;
                }
                if (near(t, p0)) {
                    collected.push_back(static_cast<size_t>(it - notes.begin()));
                } else if (near(t, last)) {
                    continue;  // belongs to the next window
                } else if (near(t, p1) || near(t, p2)) {
                    collected.push_back(static_cast<size_t>(it - notes.begin()));
                    ++counted;
                } else {
                    rejected = true;
                    break;
                }
            }
            if (rejected || collected.empty()) continue;
            const auto snapped = [&](int32_t t) {
                return near(t, p0) ? p0 : near(t, p1) ? p1 : p2;
            };
            if (counted >= 2) {
                // A triplet: every note on its third of the window, as long as the window
                // allows and never past the next note.
                std::vector<int32_t> starts;
                for (size_t i : collected)
                    starts.push_back(snapped(notes[i].time));
                for (size_t k = 0; k < collected.size(); ++k) {
                    CNote& n = notes[collected[k]];
                    const int32_t start = starts[k];
                    int32_t end = s + d;
                    for (int32_t other : starts)
                        if (other > start) end = std::min(end, other);
                    n.time = start;
                    n.flags |= NoteFlag::Tuplet;
                    n.duration = std::min(d, end - start);
                }
                CEvent tuplet;
                tuplet.type = EventType::Tuplet;
                tuplet.time = p0;
                tuplet.data[0] = 3;
                tuplet.data[1] = s + d;
                track.addEvent(tuplet);
                moved = true;
            } else if (counted == 1) {
                std::vector<int32_t> distinct;
                for (size_t i : collected)
                    distinct.push_back(notes[i].time);
                std::sort(distinct.begin(), distinct.end());
                distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
                if (distinct.size() != 2) continue;
                // A swung pair becomes a dotted pair.
                for (size_t i : collected) {
                    CNote& n = notes[i];
                    const int32_t at = snapped(n.time);
                    if (at == p1) {
                        n.time = s + d / 4;
                    } else if (at == p2) {
                        n.time = s + 3 * d / 4;
                    } else {
                        const int32_t next = distinct[1] < s + d ? distinct[1] : s + d;
                        n.time = p0;
                        n.duration = std::abs(next - p1) < std::abs(next - p2) ? d / 4 : 3 * d / 4;
                    }
                }
                moved = true;
            } else {
                continue;
            }
            std::stable_sort(notes.begin(), notes.end(), [](const CNote& x, const CNote& y) {
                return CNote::compare(x, y) < 0;
            });
        }
    }
    if (moved) {
        track.notes.assign(std::move(notes));
        track.chordsvalid = false;
    }
}

int assignHand(CScore& score, int part) {
    int chosen = score.chooseTrackForPart(part);
    if (chosen >= 0) return chosen;
    // No name speaks of a hand: the side of middle C where most notes lie.
    int best = -1;
    int bestScore = 0;
    for (int t = 0; t < score.trackCount(); ++t) {
        const CTrack& track = score.track(t);
        if (track.notes.empty() || score.partOfTrack(t) >= 0) continue;
        int above = 0, below = 0;
        for (const CNote& n : track.notes)
            (n.pitch >= 60 ? above : below)++;
        const int value = part <= Part::RightHand2 ? above - below : below - above;
        if (value > bestScore) {
            bestScore = value;
            best = t;
        }
    }
    if (best >= 0) score.assignTrackToPart(best, part);
    return best;
}

namespace {

// Tempo marks are added only where a bar's tempo leaves the current mark's by this share
// (and by at least kLeastTempoStep beats per minute): the breathing of a performance,
// not the jitter of its beats.
constexpr double kTempoChange = 0.05;
constexpr int32_t kLeastTempoStep = 3;

std::vector<CTrack> notesOfTracks(const CMidiFile& file) {
    std::vector<CTrack> tracks;
    for (const CMidiTrack& midi : file.tracks) {
        CTrack& track = tracks.emplace_back();
        track.title = midi.name;
        pairNotes(midi, track);
    }
    return tracks;
}

QString titleOf(const CMidiFile& file, const QString& fileName) {
    if (!file.title.isEmpty() && file.title != text(MidiStringId::Untitled)) return file.title;
    if (!file.sequenceName.isEmpty()) return file.sequenceName;
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.isEmpty() ? file.title : base;
}

// The first tempo mark follows the performance's first bar; later bars get a mark where
// they were played clearly faster or slower than the mark before them.
void addPerformanceTempos(CScore& score, const CPerformanceMap& map) {
    int32_t current = 0;
    for (int bar = 0; bar < score.barCount(); ++bar) {
        const int32_t start = score.barStart(bar);
        const int32_t bpm = std::clamp<int32_t>(
            int32_t(std::lround(map.tempoBetween(start, start + score.barLength(bar)))), 10, 400);
        if (bar == 0) {
            current = bpm;
            score.midi.tempo = bpm;
            if (!score.tempoTrack.events.empty() &&
                score.tempoTrack.events.at(0).type == EventType::Tempo)
                score.tempoTrack.events[0].data[1] = bpm;
            continue;
        }
        const int32_t step = std::max<int32_t>(kLeastTempoStep, int32_t(current * kTempoChange));
        if (std::abs(bpm - current) < step) continue;
        CEvent mark;
        mark.type = EventType::Tempo;
        mark.time = start;
        mark.data[0] = 1;
        mark.data[1] = bpm;
        score.tempoTrack.addEvent(mark);
        current = bpm;
    }
}

}  // namespace

bool midiFileIsPlayed(const CMidiFile& file) {
    return !notesOnGrid(notesOfTracks(file), file.division);
}

void importMidiFile(const CMidiFile& file, CScore& score, const MidiConversion& conversion) {
    // Resolution: an even division of at least 16 becomes the score's; other values keep
    // the score's and the ticks are taken as they are.
    if (file.division >= 16 && file.division % 2 == 0 && file.division <= kMaxPpqn) {
        score.ppqn = file.division;
        score.normaliseTimeSignatures();
    }
    // Tempo: the playback tempo and the first tempo mark.
    if (file.tempo > 0) {
        score.midi.tempo = file.tempo;
        if (!score.tempoTrack.events.empty() &&
            score.tempoTrack.events.at(0).type == EventType::Tempo)
            score.tempoTrack.events[0].data[1] = file.tempo;
    }
    score.title = titleOf(file, conversion.fileName);
    if (!file.artist.isEmpty()) score.artist = file.artist;
    if (!file.copyright.isEmpty()) score.copyright = file.copyright;

    std::vector<CTrack> tracks = notesOfTracks(file);
    std::vector<CMidiTimeSig> timeSigs = file.timeSigs;
    std::vector<CMidiKeySig> keySigs = file.keySigs;
    CPerformanceMap performance;
    if (conversion.quantise && !notesOnGrid(tracks, file.division)) {
        PerformanceTiming timing{.division = file.division, .tempo = file.tempo,
                                 .ppqn = score.ppqn};
        if (!timeSigs.empty() && timeSigs.front().time == 0)
            timing.barLength = score.barLengthOf(timeSigs.front().numerator,
                                                 timeSigs.front().denominator);
        performance = quantisePerformance(tracks, timing);
        if (!performance.empty()) {
            for (CMidiTimeSig& sig : timeSigs)
                sig.time = std::max(performance.beatTickOf(sig.time), 0);
            for (CMidiKeySig& sig : keySigs)
                sig.time = std::max(performance.beatTickOf(sig.time), 0);
        }
    } else if (conversion.quantise) {
        restoreShortenedLengths(tracks, file.division);
    }

    // A short first bar: the piece moves on to end it where the first full bar starts.
    int32_t firstNote = INT32_MAX;
    for (const CTrack& track : tracks)
        if (!track.notes.empty()) firstNote = std::min(firstNote, track.notes.at(0).time);
    const int32_t pickup = takePickup(timeSigs, firstNote, [&score](int32_t nom, int32_t denom) {
        return score.barLengthOf(nom, denom);
    });
    if (pickup > 0) {
        for (CTrack& track : tracks) {
            std::vector<CNote> moved(track.notes.begin(), track.notes.end());
            for (CNote& n : moved)
                n.time += pickup;
            track.notes.assign(std::move(moved));
            track.length += pickup;
        }
        for (CMidiKeySig& sig : keySigs)
            if (sig.time > 0) sig.time += pickup;
        // The lead-in bar is shown from its first note.
        score.prefs.hiderestsatstart = score.prefs.indentatstart = true;
    }

    int32_t end = score.length;
    for (CTrack& track : tracks) {
        for (const CNote& n : track.notes)
            end = std::max<int64_t>(end, int64_t(n.time) + n.duration);
        score.addTrack(track);
    }
    for (const CMidiTimeSig& sig : timeSigs)
        score.setTimeSignature(sig.numerator, sig.denominator, -1, std::max(sig.time, 0));
    score.setLength(end);
    for (const CMidiKeySig& sig : keySigs) {
        int32_t code = sig.key >= -7 && sig.key <= 7 ? 7 - sig.key : 0;
        if (sig.minor) code += 15;
        score.setKeySignature(code, score.barAtTick(std::max(sig.time, 0)));
    }
    if (!performance.empty()) addPerformanceTempos(score, performance);
    // Triplets, bar by bar, over the stretches in 2/4 or 4/4.
    const int bars = score.barCount();
    for (CTrack& track : score.tracks) {
        if (track.notes.empty()) continue;
        for (int bar = 0; bar < bars; ++bar) {
            const CTimeSignature sig = score.timeSigAtBar(bar);
            if (!((sig.nom == 2 || sig.nom == 4) && sig.denom == 4)) continue;
            detectTriplets(track, score.barStart(bar), score.barLength(bar), score.ppqn);
        }
    }

    for (CTrack& track : score.tracks)
        track.length = std::max(track.length, score.length);
    assignHand(score, Part::RightHand);
    assignHand(score, Part::LeftHand);
    if (score.trackOfPart(Part::RightHand) < 0 && score.trackOfPart(Part::LeftHand) >= 0) {
        score.assignTrackToPart(score.trackOfPart(Part::LeftHand), Part::RightHand);
        score.parts[Part::LeftHand] = 0;
    }
    score.rebuildAllTracks();
    score.rebuildBars();
    const int first = score.firstShownPart();
    score.selection.hand = first < kPartCount ? first : 0;
}

}  // namespace ks
