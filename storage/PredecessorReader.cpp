// Reading documents of the predecessor format (root "tonepad") into the score model.
#include <algorithm>

#include "storage/AttributeReading.h"
#include "storage/ScoreReader.h"

namespace ks {

using namespace attrs;
using E = CMarkupElement;

void ScoreReader::readOldMidi(const E& e) {
    const int32_t ppq = getInt(e, u"ppq", kDefaultPpqn);
    if (ppq > 15 && ppq % 2 == 0 && ppq <= kMaxPpqn) score_.ppqn = ppq;
    if (has(e, u"length")) oldLength_ = std::max(getInt(e, u"length", 0), 0);
    const int32_t tempo = getInt(e, u"tempo", 0);
    if (tempo > 0) {
        score_.midi.tempo = tempo;
        CEvent mark;
        mark.type = EventType::Tempo;
        mark.data[0] = 1;
        mark.data[1] = tempo;
        score_.tempoTrack.events.clear();
        score_.tempoTrack.addEvent(mark);
    }
}

void ScoreReader::beginOldTrack(const E& e) {
    beginTrack(e, ScorePath::OldTrack);
    triplet_ = OldTriplet{};
}

void ScoreReader::endOldTrack() {
    if (!inTrack_) return;
    // Spelling ranges gathered from the chords become ranges with split points: runs of
    // touching or overlapping chords form one range, and every chord start inside a range
    // divides the written notes there.
    std::vector<std::pair<int32_t, int32_t>> chords;
    for (const CEvent& s : track_.scratch)
        chords.emplace_back(s.time, s.data[0]);
    std::sort(chords.begin(), chords.end());
    track_.scratch.clear();
    for (size_t i = 0; i < chords.size();) {
        const int32_t start = chords[i].first;
        int32_t end = chords[i].second;
        size_t j = i + 1;
        for (; j < chords.size() && chords[j].first <= end; ++j) {
            end = std::max(end, chords[j].second);
            if (chords[j].first > start) {
                CEvent split;
                split.time = chords[j].first;
                split.type = EventType::SpellingSplit;
                events_.push_back(split);
            }
        }
        CEvent range;
        range.time = start;
        range.type = EventType::SpellingRange;
        range.data[0] = end;
        events_.push_back(range);
        for (CNote& n : notes_)
            if (n.time >= start && n.time < end) n.flags |= NoteFlag::Spelling;
        i = j;
    }
    endTrack();
}

void ScoreReader::readOldNote(const E& e) {
    if (!inTrack_) return;
    for (QStringView required : {u"time", u"pitch", u"velocity", u"duration"})
        if (!has(e, required)) return;
    if (getInt(e, u"hide", 0) == 1) return;
    CNote n;
    n.time = getInt(e, u"time", 0);
    n.pitch = std::clamp(getInt(e, u"pitch", 60), 0, 127);
    n.velocity = std::clamp(getInt(e, u"velocity", kDefaultVelocity), 1, 127);
    n.duration = getInt(e, u"duration", 0);
    if (n.time < 0 || n.duration <= 0) return;

    const int32_t grace = getInt(e, u"grace", -1);
    if (grace >= 0) {
        CEvent g;
        g.time = n.time;
        g.type = EventType::GraceNote;
        g.data[0] = std::clamp(grace, 0, 127);
        g.data[1] = n.duration / 4;
        g.data[2] = n.pitch;
        events_.push_back(g);
        n.flags |= NoteFlag::Grace;
    }
    const QString ornaments = getString(e, u"ornaments");
    if (!ornaments.isEmpty()) {
        CEvent marks;
        marks.time = n.time;
        marks.type = EventType::NoteMarks;
        for (QChar c : ornaments) {
            const int code = c.unicode();
            if (code >= 1 && code <= 6) marks.data[0] |= 1 << (code - 1);
            if (code == 7) marks.data[0] |= NoteMark::Staccato;
        }
        marks.data[1] = getInt(e, u"ornamentOffset", 0);
        if (marks.data[0] != 0) events_.push_back(marks);
    }
    static const QString kLyric[4] = {QStringLiteral("lyric"), QStringLiteral("lyric2"),
                                      QStringLiteral("lyric3"), QStringLiteral("lyric4")};
    static const QString kAlign[4] = {QStringLiteral("lyricAlign"), QStringLiteral("lyricAlign2"),
                                      QStringLiteral("lyricAlign3"), QStringLiteral("lyricAlign4")};
    for (int verse = 0; verse < 4; ++verse) {
        const QString words = getString(e, kLyric[verse]);
        if (words.isEmpty()) continue;
        CEvent lyric;
        lyric.time = n.time;
        lyric.type = EventType::Lyric;
        lyric.setKey(60);
        lyric.text = words;
        lyric.data[0] = verse;
        lyric.data[1] = getInt(e, kAlign[verse], 0);
        events_.push_back(lyric);
    }
    notes_.push_back(n);
}

void ScoreReader::beginOldTriplet(const E& e) {
    // The group is timed by its own attributes, or else by the note element around it.
    const E* owner = enclosing(e);
    triplet_.start = getInt(e, u"time", owner ? getInt(*owner, u"time", 0) : 0);
    triplet_.duration = getInt(e, u"duration", owner ? getInt(*owner, u"duration", 0) : 0);
    triplet_.open = true;
}

void ScoreReader::endOldTriplet() {
    if (!triplet_.open || !inTrack_) return;
    triplet_.open = false;
    if (triplet_.start < 0 || triplet_.duration <= 0) return;
    CEvent tuplet;
    tuplet.time = triplet_.start;
    tuplet.type = EventType::Tuplet;
    tuplet.data[0] = 3;
    tuplet.data[1] = static_cast<int32_t>(
        std::min<int64_t>(int64_t(triplet_.start) + triplet_.duration, kMaxReaderTick));
    events_.push_back(tuplet);
}

void ScoreReader::readOldTripletNote(const E& e) {
    if (!inTrack_) return;
    const E* chord = enclosing(e);  // <chord> encloses the note
    if (!chord) return;
    CNote n;
    n.time = getInt(*chord, u"time", -1);
    n.duration = getInt(*chord, u"duration", 0);
    n.pitch = std::clamp(getInt(e, u"pitch", 60), 0, 127);
    n.velocity = std::clamp(getInt(e, u"velocity", kDefaultVelocity), 1, 127);
    n.flags = NoteFlag::Tuplet;
    if (n.time < 0 || n.duration <= 0) return;
    notes_.push_back(n);
}

void ScoreReader::readOldPhrase(const E& e) {
    if (!inTrack_) return;
    for (QStringView required : {u"fromTime", u"fromPitch", u"toTime", u"toPitch"})
        if (!has(e, required)) return;
    const int32_t fromTime = std::max(getInt(e, u"fromTime", 0), 0);
    const int32_t toTime = std::max(getInt(e, u"toTime", 0), 0);
    const int32_t fromPitch = std::clamp(getInt(e, u"fromPitch", 60), 0, 127);
    const int32_t toPitch = std::clamp(getInt(e, u"toPitch", 60), 0, 127);
    for (int end = 0; end < 2; ++end) {
        CEvent mark;
        mark.type = EventType::Phrase;
        mark.time = end ? toTime : fromTime;
        mark.setKey(end ? toPitch : fromPitch);
        mark.data[0] = end;
        mark.data[1] = fromPitch;
        mark.data[2] = toPitch;
        mark.data[3] = fromTime;
        mark.data[4] = toTime;
        events_.push_back(mark);
    }
}

void ScoreReader::readOldSpelling(const E& e) {
    if (!inTrack_) return;
    const int32_t time = getInt(e, u"time", -1);
    const int32_t duration = getInt(e, u"duration", 0);
    if (time < 0 || duration <= 0) return;
    CEvent range;
    range.time = time;
    range.type = EventType::SpellingRange;
    range.data[0] =
        static_cast<int32_t>(std::min<int64_t>(int64_t(time) + duration, kMaxReaderTick));
    track_.scratch.Add(range);
}

void ScoreReader::readOldScore(const E& e) {
    read(e, u"title", score_.title);
    read(e, u"copyright", score_.copyright);
    read(e, u"artist", score_.artist);
    read(e, u"internetID", score_.internetID);
}

void ScoreReader::readOldBar(const E& e) {
    const int32_t index = getInt(e, u"index", -1);
    if (index < 0 || index >= static_cast<int32_t>(score_.bars.size())) return;
    CScoreBar& bar = score_.bars[static_cast<size_t>(index)];
    bar.styleLeft = getInt(e, u"startLine", bar.styleLeft);
    bar.styleRight = getInt(e, u"endLine", bar.styleRight);
    const int32_t key = getInt(e, u"keysignature", -1);
    if (key >= 0) score_.setKeySignature(key, index);
}

void ScoreReader::readOldAnnotation(const E& e) {
    const E* barElement = enclosing(e);
    const int32_t bar = barElement ? std::clamp(getInt(*barElement, u"index", 0), 0, kMaxBars) : 0;
    CEvent note;
    note.type = EventType::Annotation;
    note.data[0] = getInt(e, u"symbol", 0);
    note.data[1] = bar;
    note.data[2] = getInt(e, u"time", 0);
    note.data[3] = getInt(e, u"offsety", 0);
    read(e, u"text", note.text);
    // The tick is known only when the time signatures have been read: see finishPredecessor.
    oldAnnotations_.push_back({bar, std::max(note.data[2], 0), note});
}

void ScoreReader::readOldAnnotationFont(const E& e) {
    if (oldAnnotations_.empty()) return;
    oldAnnotations_.back().event.fontindex = score_.findOrAddFont(readFont(e, CUserFont{}));
}

void ScoreReader::readOldDisplayItem(const E& e) {
    if (score_.displayItems.size() >= static_cast<size_t>(kMaxReaderItems)) return;
    CEvent wedge;
    wedge.type = getInt(e, u"type", 0) == 2 ? EventType::Diminuendo : EventType::Crescendo;
    wedge.time = std::max(getInt(e, u"time", 0), 0);
    wedge.setKey(getInt(e, u"pitch", 0));
    wedge.data[0] = getInt(e, u"data1", 0);
    wedge.data[1] = getInt(e, u"hand", 0);
    score_.displayItems.push_back(wedge);
}

void ScoreReader::readOldLine(const E& e) {
    const int32_t index = getInt(e, u"index", -1);
    if (index < 0 || score_.linePaddings.size() >= static_cast<size_t>(kMaxBars)) return;
    CLinePadding pad;
    pad.line = index;
    pad.padding = getInt(e, u"padding", 0);
    pad.lyricPadding = getInt(e, u"lyricPadding", 0);
    pad.barCount = getInt(e, u"barCount", 0);
    pad.offset = getInt(e, u"offset", 0);
    pad.width = getInt(e, u"width", 100000) / 100000.0;
    score_.linePaddings.push_back(pad);
}

void ScoreReader::readOldPart(const E& e) {
    if (oldPartCount_ >= kPartCount) return;
    readPartEntry(oldPartCount_++, std::max(getInt(e, u"track", 0), 0));
}

void ScoreReader::finishPredecessor() {
    finishPrinter();
    score_.normaliseTimeSignatures();
    if (oldLength_ >= 0) score_.length = oldLength_;
    if (score_.editlength < score_.length) score_.editlength = score_.length;
    for (OldAnnotation& a : oldAnnotations_) {
        a.event.time = static_cast<int32_t>(
            std::min<int64_t>(int64_t(score_.barStart(a.bar)) + a.offset, kMaxReaderTick));
        score_.annotationTrack.addEvent(a.event);
    }
    oldAnnotations_.clear();
    CDisplaySettings& p = score_.prefs;
    if (p.key >= 0 && score_.keyAtBar(0) < 0) {
        int32_t key = p.key > 14 ? kKeyCMajor : p.key;
        if (p.minorkey) key += 15;
        score_.setKeySignature(key, 0);
    }
}

}  // namespace ks
