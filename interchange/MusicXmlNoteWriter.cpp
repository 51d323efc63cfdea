// The notes, rests and grace notes of an exported part, with their beams, ties,
// tuplets, stems and notations.
#include "interchange/MusicXmlPartWriterClass.h"
#include "interchange/MusicXmlTables.h"

namespace ks::musicxml_writing {

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

}  // namespace ks::musicxml_writing
