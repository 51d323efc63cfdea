// What the MusicXML reader takes from a partwise document, before it becomes a score:
// parts of measures holding notes and directions at tick offsets from the measure's start.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace ks {

struct XmlLyric {
    int verse = 0;  // 0-based
    QString text;
};

struct XmlSlur {
    int number = 1;
    bool start = true;
};

struct XmlNote {
    int32_t offset = 0;    // ticks from the measure's start
    int32_t duration = 0;  // ticks; 0 for grace notes
    int pitch = 60;
    bool rest = false;
    bool grace = false;
    int graceType = 4;  // note type index of a grace note (4 = 16th)
    int staff = 1;
    int voice = 1;
    bool tieStart = false, tieStop = false;
    bool triplet = false;  // a 3:2 time modification
    bool tupletStart = false, tupletStop = false;
    bool staccato = false, accent = false, trill = false;
    int fingers = 0;  // bit (n - 1) for finger n
    std::vector<XmlLyric> lyrics;
    std::vector<XmlSlur> slurs;
    std::vector<QString> dynamics;  // element names: "p", "mf", ...
};

struct XmlDirection {
    enum Kind { Words, Dynamics, WedgeCrescendo, WedgeDiminuendo, WedgeStop, Tempo };
    Kind kind = Words;
    int32_t offset = 0;
    int staff = 1;
    bool above = true;
    QString text;   // words, or the dynamics element name
    int tempo = 0;  // beats per minute
};

struct XmlBarline {
    int style = 0;                       // 0 none, 1 heavy, 2 double, 3 repeat, 4 final
    std::optional<QString> endingStart;  // its number text
    std::optional<bool> endingStop;      // true: closed ("stop"), false: open ("discontinue")
};

struct XmlMeasure {
    int32_t extent = 0;     // ticks the measure's content reaches
    bool implicit = false;  // a pickup or a part of a bar: its length counts as it is
    std::optional<std::pair<int, int>> time;  // beats, beat type
    std::optional<std::pair<int, bool>> key;  // fifths, minor
    XmlBarline left, right;
    std::vector<XmlNote> notes;
    std::vector<XmlDirection> directions;
};

struct XmlPart {
    QString id;
    QString name;
    int staves = 1;
    std::vector<XmlMeasure> measures;
};

struct XmlScore {
    int32_t ppqn = 96;
    QString title, subtitle, artist, copyright;
    QString software;  // the encoding software the document names
    std::vector<XmlPart> parts;
    // What the reader met but the score cannot hold, with how often.
    std::map<QString, int> lost;
};

}  // namespace ks
