#include "interchange/MusicXmlPartWriter.h"

#include "interchange/MusicXmlPartWriterClass.h"
#include "interchange/MusicXmlTables.h"

namespace ks {

namespace musicxml_writing {

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

int32_t PartWriter::keyAt(int bar) const {
    return score_.keyAtBar(bar);
}

QString PartWriter::xOf(int bar, int32_t tick) const {
    return number(roundHalfAway(layout_.chordX(bar, tick) * f_));
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

}  // namespace musicxml_writing

void writeMusicXmlPart(XmlOut& out, const MusicXmlPartContext& context, int part,
                       const CTrack& track, bool firstPart) {
    musicxml_writing::PartWriter(out, context, part, track, firstPart).write();
}

}  // namespace ks
