// The writer of one exported `part` element, shared by the files that write its measures
// and its notes. Not for use outside the MusicXML export.
#pragma once

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "interchange/MusicXmlPartWriter.h"

namespace ks::musicxml_writing {

inline int32_t roundHalfAway(double v) {
    return int32_t(v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5));
}

inline QString number(int64_t v) {
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
inline QString endingNumber(const QString& caption) {
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    QStringList numbers;
    for (auto it = digits.globalMatch(caption); it.hasNext();) {
        const QString n = it.next().captured();
        if (n.toInt() > 0) numbers.push_back(QString::number(n.toInt()));
    }
    return numbers.isEmpty() ? QStringLiteral("1") : numbers.join(QStringLiteral(", "));
}

// The first of the time-ordered events at or after `time`.
inline std::vector<const CEvent*>::const_iterator firstAt(const std::vector<const CEvent*>& events,
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

}  // namespace ks::musicxml_writing
