#include "interchange/MusicXmlPartWriter.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "interchange/MusicXmlTables.h"

namespace ks {

namespace {

int32_t roundHalfAway(double v) {
    return int32_t(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

QString number(int64_t v) {
    return QString::number(v);
}

// A mark written as a `direction` before the chord position it falls due at.
struct DirectionItem {
    enum Kind { WedgeStart, WedgeStop, Words };
    int32_t time = 0;
    Kind kind = Words;
    bool crescendo = true;
    QString text;
    QString placement;  // empty = none
};

// A mark written inside the `notations` of the note it falls due at.
struct NotationItem {
    enum Kind { Dynamics, SlurStart, SlurStop };
    int32_t time = 0;
    Kind kind = Dynamics;
    std::string_view dynamic;
    int32_t pairA = 0, pairB = 0;  // the slur's identity: its first and last note's times
    int32_t pitchA = 0, pitchB = 0;
};

// The numbers of the volta captions ("1.", "1, 2" -> "1", "1, 2"): what the `number`
// attribute of an ending may hold.
QString endingNumber(const QString& caption) {
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QStringList numbers;
    for (auto it = digits.globalMatch(caption); it.hasNext();) {
        const QString n = it.next().captured();
        if (n.toInt() > 0) numbers.push_back(QString::number(n.toInt()));
    }
    return numbers.isEmpty() ? QStringLiteral("1") : numbers.join(QStringLiteral(", "));
}

// The first of the time-ordered events at or after `time`.
std::vector<const CEvent*>::const_iterator firstAt(const std::vector<const CEvent*>& events,
                                                   int32_t time) {
    return std::lower_bound(events.begin(), events.end(), time,
                            [](const CEvent* e, int32_t t) { return e->time < t; });
}

class PartWriter {
  public:
    PartWriter(XmlOut& out, const MusicXmlPartContext& context, int part, const CTrack& track,
               bool firstPart)
        : out_(out),
          score_(context.score),
          layout_(context.layout),
          f_(context.tenthsPerThou),
          part_(part),
          track_(track),
          first_(firstPart) {}

    void write();

  private:
    struct Piece {
        int chord = 0;
        int32_t time = 0;
        int32_t duration = 0;
        bool chordStart = false;  // the chord's own start: its marks are written here
        bool chordEnd = false;    // the chord's own end
        bool tieIn = false;       // continues a piece of the same chord
        bool tieOut = false;      // continued by a piece of the same chord
    };

    void collectItems();
    void computeBeamLevels();
    void writeMeasure(int bar);
    void writeLeftBarline(int bar);
    void writeAttributes(int bar);
    void writeTempo(int bar, int32_t start, int32_t end);
    void writeRightBarline(int bar);
    void writeDirectionsUpTo(int32_t time);
    void writeDirection(const DirectionItem& item);
    void writePiece(int bar, const Piece& piece);
    void writeRest(int bar, const Piece& piece, bool tuplet);
    void writeGrace(int bar, const CEvent& grace, bool tuplet, bool up, int slur);
    void writePitch(int32_t pitch, int32_t key);
    void writeTimeModification();
    void writeBeams(int chord);
    bool chordIsTuplet(const CChord& chord) const;
    bool stemUpFor(const CNote& note, int chord) const;
    int32_t keyAt(int bar) const;
    QString xOf(int bar, int32_t tick) const;
    int freeSlurNumber() const;

    XmlOut& out_;
    const CScore& score_;
    const MusicXmlLayout& layout_;
    const double f_;
    const int part_;
    const CTrack& track_;
    const bool first_;

    std::vector<DirectionItem> directions_;
    size_t nextDirection_ = 0;
    std::vector<NotationItem> notations_;
    size_t nextNotation_ = 0;
    std::vector<NotationItem> openSlurs_;  // with their numbers in `pitchA`
    std::vector<int> beamLevels_;          // per chord: beam levels it takes part in
    std::unordered_map<int32_t, const CEvent*> noteMarks_;  // by time
    std::vector<const CEvent*> graces_;                     // type-8 events in time order
    std::vector<const CEvent*> lyrics_;                     // type-7 events in time order
    std::unordered_set<int32_t> tupletStarts_, tupletEnds_;
};

void PartWriter::collectItems() {
    for (const CEvent& e : track_.events) {
        switch (e.type) {
            case EventType::Crescendo:
            case EventType::Diminuendo: {
                const bool cresc = e.type == EventType::Crescendo;
                directions_.push_back({e.time, DirectionItem::WedgeStart, cresc, {}, {}});
                directions_.push_back(
                    {e.time + std::max(e.data[0], 0), DirectionItem::WedgeStop, cresc, {}, {}});
                break;
            }
            case EventType::Phrase: {
                NotationItem item{
                    .time = e.time,
                    .kind = e.data[0] == 0 ? NotationItem::SlurStart : NotationItem::SlurStop,
                    .pairA = e.data[3],
                    .pairB = e.data[4]};
                notations_.push_back(item);
                break;
            }
            case EventType::NoteMarks:
                if (e.data[0] != 0) noteMarks_.emplace(e.time, &e);
                break;
            case EventType::Tuplet:
                tupletStarts_.insert(e.time);
                tupletEnds_.insert(e.data[1]);
                break;
            case EventType::GraceNote:
                graces_.push_back(&e);
                break;
            case EventType::Lyric:
                if (!e.text.isEmpty()) lyrics_.push_back(&e);
                break;
            default:
                break;
        }
    }
    if (first_) {
        for (const CEvent& e : score_.annotationTrack.events) {
            if (e.type < EventType::Tuplet || e.type > EventType::Annotation || e.text.isEmpty())
                continue;
            if (e.type == EventType::Annotation && e.data[0] > 0) {
                // A symbol: the dynamics among them are written, the other symbols cannot be.
                const std::string_view dynamic = dynamicsElement(e.text.front().unicode());
                if (!dynamic.empty())
                    notations_.push_back(
                        {.time = e.time, .kind = NotationItem::Dynamics, .dynamic = dynamic});
                continue;
            }
            const QString placement =
                e.key() >= 60 ? QStringLiteral("above") : QStringLiteral("below");
            directions_.push_back({e.time, DirectionItem::Words, true, e.text, placement});
        }
    }
    std::stable_sort(
        directions_.begin(), directions_.end(),
        [](const DirectionItem& a, const DirectionItem& b) { return a.time < b.time; });
    std::stable_sort(notations_.begin(), notations_.end(),
                     [](const NotationItem& a, const NotationItem& b) { return a.time < b.time; });
}

bool PartWriter::chordIsTuplet(const CChord& chord) const {
    if (chord.flags & ChordFlag::Tuplet) return true;
    for (int i = 0; i < chord.noteCount; ++i)
        if (track_.notes.at(chord.firstNote + i).flags & NoteFlag::Tuplet) return true;
    return false;
}

// Beam levels of every chord: as many as its note value has flags, for notes written as
// one piece; a chord split into several values, and rests, take no beams.
void PartWriter::computeBeamLevels() {
    beamLevels_.assign(size_t(track_.chords.size()), 0);
    for (const CBeam& beam : track_.beams) {
        for (int k = 0; k < beam.chordCount; ++k) {
            const int c = beam.firstChord + k;
            if (c < 0 || c >= track_.chords.size()) continue;
            const CChord& chord = track_.chords.at(c);
            if (chord.isRest()) continue;
            const bool tuplet = chordIsTuplet(chord);
            if (!tuplet && !isNoteValue(chord.duration, score_.ppqn)) continue;
            const int32_t start = score_.barStart(score_.barAtTick(chord.time));
            if (chord.end() > start + score_.barLength(score_.barAtTick(chord.time))) continue;
            const int type = noteTypeFor(chord.duration, score_.ppqn, tuplet);
            beamLevels_[size_t(c)] = std::max(0, type - 2);
        }
    }
}

void PartWriter::writeBeams(int chord) {
    const int levels = beamLevels_[size_t(chord)];
    if (levels == 0) return;
    const CBeam* beam = nullptr;
    const int b = track_.chords.at(chord).beam;
    if (b >= 0 && b < int(track_.beams.size())) beam = &track_.beams[size_t(b)];
    if (!beam || chord < beam->firstChord || chord >= beam->firstChord + beam->chordCount) return;
    const int k = chord - beam->firstChord;
    const int prev = k > 0 && chord > 0 ? beamLevels_[size_t(chord - 1)] : 0;
    const int next = k + 1 < beam->chordCount && chord + 1 < int(beamLevels_.size())
                         ? beamLevels_[size_t(chord + 1)]
                         : 0;
    for (int level = 1; level <= levels; ++level) {
        const bool before = prev >= level;
        const bool after = next >= level;
        std::string_view state = before && after ? "continue"
                                 : before        ? "end"
                                 : after         ? "begin"
                                 : k == 0        ? "forward hook"
                                                 : "backward hook";
        out_.leaf("beam", state, {{"number", number(level)}});
    }
}

int32_t PartWriter::keyAt(int bar) const {
    return score_.keyAtBar(bar);
}

QString PartWriter::xOf(int bar, int32_t tick) const {
    return number(roundHalfAway(layout_.chordX(bar, tick) * f_));
}

bool PartWriter::stemUpFor(const CNote& note, int chord) const {
    const int32_t stem = note.flags & NoteFlag::StemMask;
    if (stem == NoteFlag::StemUp) return true;
    if (stem == NoteFlag::StemDown) return false;
    return layout_.stemUp(part_, track_, chord);
}

int PartWriter::freeSlurNumber() const {
    for (int n = 1;; ++n) {
        bool used = false;
        for (const NotationItem& s : openSlurs_)
            used |= s.pitchA == n;
        if (!used) return n;
    }
}

void PartWriter::write() {
    collectItems();
    computeBeamLevels();
    out_.open("part", {{"id", QStringLiteral("P%1").arg(part_ + 1)}});
    const int bars = std::max(1, score_.barCount());
    for (int bar = 0; bar < bars; ++bar)
        writeMeasure(bar);
    out_.close();
}

void PartWriter::writeMeasure(int bar) {
    const int32_t start = score_.barStart(bar);
    const int32_t length = std::max(score_.barLength(bar), 1);
    const int32_t end = start + length;
    const int32_t width = std::max(0, roundHalfAway(layout_.barWidth(bar) * f_));
    out_.open("measure", {{"number", number(bar + 1)}, {"width", number(width)}});
    writeLeftBarline(bar);
    writeAttributes(bar);
    if (first_) writeTempo(bar, start, end);

    // The chords of the bar cut at its edges; lengths that no single note value gives are
    // written as tied pieces of the longest values that fit, so every measure adds up.
    int c = track_.chords.lowerBound(CChord{.time = start});
    if (c > 0 && track_.chords.at(c - 1).end() > start) --c;
    int32_t at = start;
    for (; c < track_.chords.size() && track_.chords.at(c).time < end; ++c) {
        const CChord& chord = track_.chords.at(c);
        const int32_t from = std::max(chord.time, start);
        const int32_t to = std::min(chord.end(), end);
        if (to <= from) continue;
        if (from > at) writeRest(bar, Piece{.chord = -1, .time = at, .duration = from - at}, false);
        const bool tuplet = chordIsTuplet(chord);
        int32_t t = from;
        while (t < to) {
            int32_t d = to - t;
            if (!tuplet && !isNoteValue(d, score_.ppqn)) {
                const int32_t v = longestNoteValueWithin(d, score_.ppqn);
                if (v > 0) d = v;
            }
            Piece piece{.chord = c,
                        .time = t,
                        .duration = d,
                        .chordStart = t == chord.time,
                        .chordEnd = t + d == chord.end(),
                        .tieIn = t > chord.time,
                        .tieOut = t + d < chord.end()};
            writeDirectionsUpTo(t);
            if (chord.isRest())
                writeRest(bar, piece, tuplet);
            else
                writePiece(bar, piece);
            t += d;
        }
        at = to;
    }
    if (at < end) writeRest(bar, Piece{.chord = -1, .time = at, .duration = end - at}, false);
    if (bar + 1 >= std::max(1, score_.barCount())) writeDirectionsUpTo(INT32_MAX);
    writeRightBarline(bar);
    out_.close();
}

void PartWriter::writeLeftBarline(int bar) {
    const int32_t style = score_.bar(bar).styleLeft;
    const CScoreVolta* volta = nullptr;
    for (const CScoreVolta& v : score_.voltamarks)
        if (v.startbar == bar) volta = &v;
    if ((style < 1 || style > 3) && !volta) return;
    out_.open("barline", {{"location", u"left"}});
    if (style == 1) out_.leaf("bar-style", "heavy");
    if (style == 2) out_.leaf("bar-style", "light-light");
    if (style == 3) out_.leaf("bar-style", "heavy-light");
    // An ending on a plain bar line still names the line, as readers expect.
    if (style < 1 || style > 3) out_.leaf("bar-style", "regular");
    if (volta)
        out_.leaf("ending", volta->caption,
                  {{"number", endingNumber(volta->caption)}, {"type", u"start"}});
    if (style == 3) out_.empty("repeat", {{"direction", u"forward"}});
    out_.close();
}

void PartWriter::writeRightBarline(int bar) {
    const int32_t style = score_.bar(bar).styleRight;
    const CScoreVolta* volta = nullptr;
    for (const CScoreVolta& v : score_.voltamarks)
        if (v.endbar == bar) volta = &v;
    if ((style < 1 || style > 4) && !volta) return;
    out_.open("barline", {{"location", u"right"}});
    if (style == 1) out_.leaf("bar-style", "heavy");
    if (style == 2) out_.leaf("bar-style", "light-light");
    if (style == 3 || style == 4) out_.leaf("bar-style", "light-heavy");
    if (style < 1 || style > 4) out_.leaf("bar-style", "regular");
    if (volta)
        out_.empty("ending",
                   {{"number", endingNumber(volta->caption)},
                    {"type", volta->type == VoltaType::Closed ? u"stop" : u"discontinue"}});
    if (style == 3) out_.empty("repeat", {{"direction", u"backward"}});
    out_.close();
}

void PartWriter::writeAttributes(int bar) {
    out_.open("attributes");
    out_.leaf("divisions", int64_t(score_.ppqn));
    for (const CKeySignature& k : score_.keysigs) {
        if (k.bar != bar) continue;
        out_.open("key");
        out_.leaf("fifths", int64_t(fifthsOfKey(k.key)));
        out_.leaf("mode", k.key >= 15 ? "minor" : "major");
        out_.close();
        break;
    }
    const CTimeSignature sig = score_.timeSigAtBar(bar);
    bool timeStarts = bar == 0;
    for (const CTimeSignature& t : score_.timesigs)
        timeStarts |= t.bar == bar;
    if (timeStarts) {
        out_.open("time");
        out_.leaf("beats", int64_t(sig.nom));
        out_.leaf("beat-type", int64_t(sig.denom));
        out_.close();
    }
    if (bar == 0) {
        // The hands read in their usual clefs in other notation programs.
        const bool left = part_ >= Part::LeftHand;
        out_.open("clef");
        out_.leaf("sign", left ? "F" : "G");
        out_.leaf("line", int64_t(left ? 4 : 2));
        out_.close();
    }
    out_.close();
}

void PartWriter::writeTempo(int bar, int32_t start, int32_t end) {
    for (const CEvent& e : score_.tempoTrack.events) {
        if (e.type != EventType::Tempo || e.time < start) continue;
        if (e.time >= end || e.data[1] <= 0) return;
        const CTimeSignature sig = score_.timeSigAtBar(bar);
        const bool compound =
            (sig.denom == 8 || sig.denom == 16) && sig.nom > 0 && sig.nom % 3 == 0;
        out_.open("direction", {{"placement", u"above"}});
        out_.open("direction-type");
        out_.open("metronome", {{"parentheses", u"no"}});
        out_.leaf("beat-unit", "quarter");
        if (compound) out_.empty("beat-unit-dot");
        out_.leaf("per-minute", int64_t(e.data[1]));
        out_.close();
        out_.close();
        out_.empty("sound", {{"tempo", number(e.data[1])}});
        out_.close();
        return;
    }
}

void PartWriter::writeDirectionsUpTo(int32_t time) {
    while (nextDirection_ < directions_.size() && directions_[nextDirection_].time <= time)
        writeDirection(directions_[nextDirection_++]);
}

void PartWriter::writeDirection(const DirectionItem& item) {
    if (item.placement.isEmpty())
        out_.open("direction");
    else
        out_.open("direction", {{"placement", item.placement}});
    out_.open("direction-type");
    switch (item.kind) {
        case DirectionItem::WedgeStart:
            out_.empty("wedge",
                       {{"type", item.crescendo ? u"crescendo" : u"diminuendo"}, {"spread", u"0"}});
            break;
        case DirectionItem::WedgeStop:
            out_.empty("wedge", {{"type", u"stop"}, {"spread", u"16"}});
            break;
        case DirectionItem::Words:
            out_.leaf("words", item.text);
            break;
    }
    out_.close();
    out_.close();
}

void PartWriter::writePitch(int32_t pitch, int32_t key) {
    const SpelledPitch s = spellPitch(pitch, key);
    out_.open("pitch");
    out_.leaf("step", std::string_view(&s.step, 1));
    if (s.alter != 0) out_.leaf("alter", int64_t(s.alter));
    out_.leaf("octave", int64_t(s.octave));
    out_.close();
}

// Triplets: three notes in the time of two.
void PartWriter::writeTimeModification() {
    out_.open("time-modification");
    out_.leaf("actual-notes", int64_t(3));
    out_.leaf("normal-notes", int64_t(2));
    out_.close();
}

void PartWriter::writeGrace(int bar, const CEvent& grace, bool tuplet, bool up, int slur) {
    out_.open("note", {{"default-x", xOf(bar, grace.time)}});
    out_.empty("grace", {{"slash", u"yes"}});
    writePitch(grace.data[0], keyAt(bar));
    out_.leaf("type", typeName(noteTypeFor(std::max(grace.data[1], 1), score_.ppqn, tuplet)));
    out_.leaf("stem", up ? "up" : "down");
    out_.open("notations");
    out_.empty("slur", {{"type", u"start"}, {"number", number(slur)}});
    out_.close();
    out_.close();
}

void PartWriter::writeRest(int bar, const Piece& piece, bool tuplet) {
    out_.open("note", {{"default-x", xOf(bar, piece.time)}});
    out_.empty("rest");
    out_.leaf("duration", int64_t(piece.duration));
    out_.leaf("type", typeName(noteTypeFor(piece.duration, score_.ppqn, tuplet)));
    if (!tuplet)
        for (int d = dotsFor(piece.duration, score_.ppqn); d > 0; --d)
            out_.empty("dot");
    if (tuplet) writeTimeModification();
    out_.close();
}

void PartWriter::writePiece(int bar, const Piece& piece) {
    const CChord& chord = track_.chords.at(piece.chord);
    const bool tuplet = chordIsTuplet(chord);
    const int32_t key = keyAt(bar);
    const int type = noteTypeFor(piece.duration, score_.ppqn, tuplet);
    const bool whole = piece.duration == chord.duration;
    const bool tupletStart = tuplet && piece.chordStart && tupletStarts_.count(chord.time);
    const bool tupletStop = tuplet && piece.chordEnd && tupletEnds_.count(chord.end());
    const CEvent* marks = nullptr;
    if (piece.chordStart)
        if (auto it = noteMarks_.find(chord.time); it != noteMarks_.end()) marks = it->second;

    for (int i = 0; i < chord.noteCount; ++i) {
        const CNote& note = track_.notes.at(chord.firstNote + i);
        const bool up = stemUpFor(note, piece.chord);
        int graceSlur = 0;
        if (piece.chordStart) {
            for (auto g = firstAt(graces_, note.time); g != graces_.end(); ++g) {
                if ((*g)->time > note.time) break;
                if ((*g)->data[2] == note.pitch) {
                    graceSlur = freeSlurNumber();
                    writeGrace(bar, **g, tuplet, up, graceSlur);
                    break;
                }
            }
        }
        out_.open("note", {{"default-x", xOf(bar, piece.time)}});
        if (i > 0) out_.empty("chord");
        writePitch(note.pitch, key);
        out_.leaf("duration", int64_t(piece.duration));
        const bool tieStop = piece.tieIn || (piece.chordStart && (note.flags & NoteFlag::TieEnd));
        const bool tieStart = piece.tieOut || (piece.chordEnd && (note.flags & NoteFlag::TieStart));
        if (tieStop) out_.empty("tie", {{"type", u"stop"}});
        if (tieStart) out_.empty("tie", {{"type", u"start"}});
        out_.leaf("type", typeName(type));
        if (!tuplet)
            for (int d = dotsFor(piece.duration, score_.ppqn); d > 0; --d)
                out_.empty("dot");
        if (needsAccidental(note.pitch, key)) {
            const int alter = spellPitch(note.pitch, key).alter;
            out_.leaf("accidental", alter < 0 ? "flat" : alter > 0 ? "sharp" : "natural");
        }
        if (tuplet) writeTimeModification();
        if (type > 0) out_.leaf("stem", up ? "up" : "down");
        if (whole && i == 0) writeBeams(piece.chord);

        const bool trill = piece.chordStart && (note.flags & NoteFlag::Trill);
        const bool firstNote = i == 0 && piece.chordStart;
        const bool dueItems = firstNote && nextNotation_ < notations_.size() &&
                              notations_[nextNotation_].time <= note.time;
        const bool hasMarks = firstNote && marks;
        if (tieStop || tieStart || graceSlur || (tuplet && (tupletStart || tupletStop)) || trill ||
            hasMarks || dueItems) {
            out_.open("notations");
            if (graceSlur) out_.empty("slur", {{"type", u"stop"}, {"number", number(graceSlur)}});
            if (tieStop) out_.empty("tied", {{"type", u"stop"}});
            if (tieStart) out_.empty("tied", {{"type", u"start"}});
            if (tuplet && tupletStart && i == 0)
                out_.empty("tuplet", {{"type", u"start"}, {"bracket", u"yes"}});
            if (tuplet && tupletStop && i == 0) out_.empty("tuplet", {{"type", u"stop"}});
            if (trill) {
                out_.open("ornaments");
                out_.empty("trill-mark", {{"placement", u"above"}});
                out_.empty("wavy-line", {{"type", u"continue"}});
                out_.close();
            }
            if (hasMarks) {
                const int32_t bits = marks->data[0];
                if (bits & (NoteMark::Staccato | NoteMark::Accent)) {
                    out_.open("articulations");
                    if (bits & NoteMark::Staccato) out_.empty("staccato");
                    if (bits & NoteMark::Accent) out_.empty("accent");
                    out_.close();
                }
                if (bits & 0x3E) {
                    out_.open("technical");
                    for (int finger = 1; finger <= 5; ++finger)
                        if (bits & (NoteMark::Finger1 << (finger - 1)))
                            out_.leaf("fingering", int64_t(finger));
                    out_.close();
                }
            }
            while (dueItems && nextNotation_ < notations_.size() &&
                   notations_[nextNotation_].time <= note.time) {
                const NotationItem& item = notations_[nextNotation_++];
                if (item.kind == NotationItem::Dynamics) {
                    out_.open("dynamics", {{"placement", u"above"}});
                    out_.empty(item.dynamic);
                    out_.close();
                } else if (item.kind == NotationItem::SlurStart) {
                    NotationItem open = item;
                    open.pitchA = freeSlurNumber();
                    openSlurs_.push_back(open);
                    out_.empty("slur", {{"type", u"start"}, {"number", number(open.pitchA)}});
                } else {
                    auto it = std::find_if(
                        openSlurs_.begin(), openSlurs_.end(), [&](const NotationItem& s) {
                            return s.pairA == item.pairA && s.pairB == item.pairB;
                        });
                    if (it == openSlurs_.end()) continue;
                    out_.empty("slur", {{"type", u"stop"}, {"number", number(it->pitchA)}});
                    openSlurs_.erase(it);
                }
            }
            out_.close();
        }
        if (firstNote) {
            for (auto it = firstAt(lyrics_, chord.time); it != lyrics_.end(); ++it) {
                const CEvent* l = *it;
                if (l->time >= chord.end()) break;
                out_.open("lyric", {{"number", number(std::clamp(l->data[0], 0, 3) + 1)}});
                out_.leaf("text", l->text);
                out_.close();
            }
        }
        out_.close();
    }
}

}  // namespace

void writeMusicXmlPart(XmlOut& out, const MusicXmlPartContext& context, int part,
                       const CTrack& track, bool firstPart) {
    PartWriter(out, context, part, track, firstPart).write();
}

}  // namespace ks
