#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "XmlTree.h"
#include "interchange/MusicXmlContainer.h"
#include "interchange/MusicXmlExport.h"
#include "interchange/MusicXmlTables.h"
#include "storage/NZip.h"

using namespace ks;
using ks::test::XmlNode;

namespace {

// A layout of fixed geometry: every bar 1000 units wide, chords at their tick / 4, stems
// up in the right hand.
class FixedLayout final : public MusicXmlLayout {
  public:
    MusicXmlPage page() const override { return {}; }
    int32_t barWidth(int) const override { return 1000; }
    int32_t chordX(int, int32_t tick) const override { return tick / 4; }
    bool stemUp(int part, const CTrack&, int) const override { return part < Part::LeftHand; }
};

CScore scoreWith(std::vector<CNote> right, std::vector<CNote> left, int32_t length) {
    CScore s;
    CTrack r, l;
    r.title = QStringLiteral("Right & Melody");
    l.title = QStringLiteral("Left");
    for (const CNote& n : right)
        r.addNote(n);
    for (const CNote& n : left)
        l.addNote(n);
    s.addTrack(r);
    s.addTrack(l);
    s.setLength(length);
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(1, Part::LeftHand);
    s.rebuildAllTracks();
    return s;
}

std::unique_ptr<XmlNode> exported(const CScore& s) {
    return ks::test::parseXml(musicXmlText(s, FixedLayout(), {QDate(2026, 1, 2)}));
}

// The notes (not rests, not grace notes) of a part, in order.
std::vector<const XmlNode*> notesOf(const XmlNode& part) {
    std::vector<const XmlNode*> out;
    for (const XmlNode* m : part.all("measure"))
        for (const XmlNode* n : m->all("note"))
            if (n->child("pitch") && !n->child("grace")) out.push_back(n);
    return out;
}

}  // namespace

TEST(MusicXmlTables, SpellingAndAccidentalsFollowTheKey) {
    struct Case {
        int32_t pitch, key;
        char step;
        int alter, octave;
        bool accidental;
    };
    const Case cases[] = {
        {61, 5, 'C', 1, 4, false},    // C sharp in D major: in the key
        {65, 5, 'F', 0, 4, true},     // F in D major: natural sign
        {60, 0, 'B', 1, 3, false},    // C in C sharp major is B sharp of the octave below
        {71, 14, 'C', -1, 5, false},  // B in C flat major is C flat of the octave above
        {70, 7, 'A', 1, 4, true},     // B flat in C major is written A sharp
        {70, 8, 'B', -1, 4, false},   // ... and B flat in F major, in the key
        {60, -1, 'C', 0, 4, false},   // no key: C major
        {69, 22, 'A', 0, 4, false},   // A minor spells as C major
    };
    for (const Case& c : cases) {
        const SpelledPitch s = spellPitch(c.pitch, c.key);
        EXPECT_EQ(s.step, c.step) << c.pitch << " in " << c.key;
        EXPECT_EQ(s.alter, c.alter) << c.pitch << " in " << c.key;
        EXPECT_EQ(s.octave, c.octave) << c.pitch << " in " << c.key;
        EXPECT_EQ(needsAccidental(c.pitch, c.key), c.accidental) << c.pitch << " in " << c.key;
    }
    EXPECT_EQ(fifthsOfKey(22), 0);
    EXPECT_EQ(fifthsOfKey(0), 7);
    EXPECT_EQ(fifthsOfKey(14), -7);
}

TEST(MusicXmlTables, TypesAndDotsByLength) {
    struct Case {
        int32_t duration;
        bool tuplet;
        std::string_view type;
        int dots;
    };
    const Case cases[] = {{96, false, "quarter", 0},  {144, false, "quarter", 1},
                          {168, false, "quarter", 2}, {384, false, "whole", 0},
                          {32, true, "eighth", 0},    {12, false, "32nd", 0},
                          {288, false, "half", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(typeName(noteTypeFor(c.duration, 96, c.tuplet)), c.type) << c.duration;
        if (!c.tuplet) EXPECT_EQ(dotsFor(c.duration, 96), c.dots) << c.duration;
    }
    EXPECT_TRUE(isNoteValue(144, 96));
    EXPECT_FALSE(isNoteValue(240, 96));  // five eighths
    EXPECT_EQ(longestNoteValueWithin(240, 96), 192);
    EXPECT_EQ(dynamicsElement(u'&'), "mf");
    EXPECT_TRUE(dynamicsElement(u'A').empty());
}

TEST(MusicXmlExport, HeaderPartListAndAttributes) {
    CScore s = scoreWith({{.time = 0, .duration = 96, .pitch = 60}}, {}, 384);
    s.title = QStringLiteral("Tom & Jerry <live>");
    s.artist = QStringLiteral("Anon");
    s.prefs.fontsize = 53;
    s.setKeySignature(22, 0);  // A minor
    s.midi.program = 5;
    s.midi.channel = 2;
    const auto root = exported(s);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "score-partwise");
    EXPECT_EQ(root->attr("version"), "2.0");
    EXPECT_EQ(root->child("work")->childText("work-title"), "Tom & Jerry <live>");
    const XmlNode* id = root->child("identification");
    EXPECT_EQ(id->childText("creator"), "Anon");
    EXPECT_EQ(id->child("creator")->attr("type"), "composer");
    EXPECT_FALSE(id->child("rights"));
    EXPECT_EQ(id->child("encoding")->childText("encoding-date"), "2026-01-02");
    EXPECT_TRUE(id->child("encoding")->childText("software").startsWith("Halvern Keystaves v"));
    EXPECT_EQ(root->child("defaults")->child("scaling")->childText("millimeters"), "5.983111");
    // A4 height 11693 thou x 1.016 / 5.983111 = 1985.6
    EXPECT_EQ(root->child("defaults")->child("page-layout")->childText("page-height"), "1986");
    EXPECT_EQ(root->child("defaults")->child("page-layout")->count("page-margins"), 2);
    EXPECT_EQ(root->child("credit")->count("credit-words"), 2);  // title and artist

    const XmlNode* list = root->child("part-list");
    ASSERT_EQ(list->count("score-part"), 2);
    const XmlNode* first = list->all("score-part")[0];
    EXPECT_EQ(first->attr("id"), "P1");
    EXPECT_EQ(first->childText("part-name"), "Right & Melody");
    EXPECT_EQ(first->child("score-instrument")->attr("id"), "P1-I5");
    EXPECT_EQ(first->child("midi-instrument")->attr("id"), "P1-I5");
    EXPECT_EQ(first->child("midi-instrument")->childText("midi-channel"), "3");
    EXPECT_EQ(first->child("midi-instrument")->childText("midi-program"), "6");
    EXPECT_EQ(list->all("score-part")[1]->attr("id"), "P3");
    ASSERT_EQ(root->count("part"), 2);
    EXPECT_EQ(root->all("part")[1]->attr("id"), "P3");

    const XmlNode* m1 = root->child("part")->child("measure");
    EXPECT_EQ(m1->attr("number"), "1");
    EXPECT_EQ(m1->attr("width"), "170");  // 1000 x 0.16981
    const XmlNode* attributes = m1->child("attributes");
    EXPECT_EQ(attributes->childText("divisions"), "96");
    EXPECT_EQ(attributes->child("key")->childText("fifths"), "0");
    EXPECT_EQ(attributes->child("key")->childText("mode"), "minor");
    EXPECT_EQ(attributes->child("time")->childText("beats"), "4");
    EXPECT_EQ(attributes->child("clef")->childText("sign"), "G");
    EXPECT_EQ(root->all("part")[1]
                  ->child("measure")
                  ->child("attributes")
                  ->child("clef")
                  ->childText("sign"),
              "F");
}

TEST(MusicXmlExport, NoteValuesTiesAndTuplets) {
    CScore s = scoreWith({{.time = 0, .duration = 96, .pitch = 61},
                          {.time = 96, .duration = 144, .pitch = 65},
                          {.time = 240, .duration = 48, .pitch = 67},
                          {.time = 288, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 60},
                          {.time = 320, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 62},
                          {.time = 352, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 64},
                          // across the bar line: a half note from beat 4 of bar 2
                          {.time = 672, .duration = 192, .pitch = 72}},
                         {}, 1152);
    s.setKeySignature(5, 0);  // D major
    CEvent tuplet;
    tuplet.type = EventType::Tuplet;
    tuplet.time = 288;
    tuplet.data[0] = 3;
    tuplet.data[1] = 384;
    s.tracks[0].addEvent(tuplet);
    s.rebuildAllTracks();
    const auto root = exported(s);
    ASSERT_TRUE(root);
    const XmlNode& part = *root->child("part");
    const auto notes = notesOf(part);
    ASSERT_EQ(notes.size(), 8u);  // the long note in two tied pieces
    EXPECT_EQ(notes[0]->childText("duration"), "96");
    EXPECT_EQ(notes[0]->childText("type"), "quarter");
    EXPECT_EQ(notes[0]->child("pitch")->childText("step"), "C");
    EXPECT_EQ(notes[0]->child("pitch")->childText("alter"), "1");
    EXPECT_FALSE(notes[0]->child("accidental"));
    EXPECT_EQ(notes[0]->childText("stem"), "up");
    EXPECT_EQ(notes[0]->attr("default-x"), "0");
    EXPECT_EQ(notes[1]->count("dot"), 1);
    EXPECT_EQ(notes[1]->childText("accidental"), "natural");
    EXPECT_EQ(notes[1]->attr("default-x"), "2");  // 24 x 0.0841 (font size 107)
    EXPECT_EQ(notes[3]->childText("type"), "eighth");
    EXPECT_EQ(notes[3]->child("time-modification")->childText("actual-notes"), "3");
    EXPECT_EQ(notes[3]->child("time-modification")->childText("normal-notes"), "2");
    EXPECT_EQ(notes[3]->child("notations")->child("tuplet")->attr("type"), "start");
    EXPECT_EQ(notes[5]->child("notations")->child("tuplet")->attr("type"), "stop");
    EXPECT_EQ(notes[6]->childText("duration"), "96");
    EXPECT_EQ(notes[6]->child("tie")->attr("type"), "start");
    EXPECT_EQ(notes[7]->child("tie")->attr("type"), "stop");
    EXPECT_EQ(notes[7]->child("notations")->child("tied")->attr("type"), "stop");

    // Every measure adds up to its bar: rests fill the gaps, nothing runs over.
    for (const XmlNode* m : part.all("measure")) {
        int sum = 0;
        for (const XmlNode* n : m->all("note"))
            if (!n->child("chord") && !n->child("grace")) sum += n->childText("duration").toInt();
        EXPECT_EQ(sum, 384) << "measure " << m->attr("number").toStdString();
    }
}

TEST(MusicXmlExport, MarksBarLinesVoltasTempoAndLyrics) {
    CScore s = scoreWith({{.time = 0, .duration = 96, .flags = NoteFlag::Grace, .pitch = 64},
                          {.time = 96, .duration = 96, .flags = NoteFlag::Trill, .pitch = 65},
                          {.time = 384, .duration = 384, .pitch = 67}},
                         {}, 1152);
    CTrack& t = s.tracks[0];
    CEvent e;
    e.type = EventType::GraceNote, e.time = 0, e.data[0] = 62, e.data[1] = 24, e.data[2] = 64;
    t.addEvent(e);
    e = {};
    e.type = EventType::NoteMarks, e.time = 0, e.data[0] = NoteMark::Staccato | 0x04;  // finger 2
    t.addEvent(e);
    e = {};
    e.type = EventType::NoteMarks, e.time = 96, e.data[0] = 0;  // empty marks: nothing written
    t.addEvent(e);
    e = {};
    e.type = EventType::Lyric, e.time = 0, e.data[0] = 1, e.text = QStringLiteral("la");
    t.addEvent(e);
    e = {};
    e.type = EventType::Crescendo, e.time = 0, e.data[0] = 192;
    t.addEvent(e);
    CEvent words;
    words.type = EventType::Annotation, words.time = 96, words.text = QStringLiteral("dolce");
    words.setKey(72);
    s.annotationTrack.addEvent(words);
    CEvent forte;
    forte.type = EventType::Annotation, forte.time = 384, forte.data[0] = 1;
    forte.text = QStringLiteral("'");
    s.annotationTrack.addEvent(forte);
    s.tempoTrack.events.clear();
    CEvent tempo;
    tempo.type = EventType::Tempo, tempo.time = 384, tempo.data[0] = 1, tempo.data[1] = 88;
    s.tempoTrack.addEvent(tempo);
    s.bars.resize(3);
    s.bars[1].styleLeft = 3;
    s.bars[1].styleRight = 3;
    s.bars[2].styleRight = 4;
    s.voltamarks.push_back(CScoreVolta{VoltaType::Closed, 1, 1, QStringLiteral("1."), 1});
    s.rebuildAllTracks();

    const auto root = exported(s);
    ASSERT_TRUE(root);
    const auto measures = root->child("part")->all("measure");
    ASSERT_EQ(measures.size(), 3u);
    // Bar 1: grace note with its slur, staccato and fingering, a lyric, wedge, words.
    const auto n1 = measures[0]->all("note");
    ASSERT_GE(n1.size(), 3u);
    EXPECT_TRUE(n1[0]->child("grace"));
    EXPECT_EQ(n1[0]->child("pitch")->childText("step"), "D");
    EXPECT_EQ(n1[0]->childText("type"), "16th");
    EXPECT_FALSE(n1[0]->child("duration"));
    EXPECT_EQ(n1[0]->child("notations")->child("slur")->attr("type"), "start");
    const XmlNode* main = n1[1];
    EXPECT_EQ(main->child("notations")->child("slur")->attr("type"), "stop");
    EXPECT_TRUE(main->child("notations")->child("articulations")->child("staccato"));
    EXPECT_EQ(main->child("notations")->child("technical")->childText("fingering"), "2");
    EXPECT_EQ(main->child("lyric")->attr("number"), "2");
    EXPECT_EQ(main->child("lyric")->childText("text"), "la");
    EXPECT_TRUE(n1[2]->child("notations")->child("ornaments")->child("trill-mark"));
    EXPECT_FALSE(n1[2]->child("notations")->child("articulations"));
    const auto d1 = measures[0]->all("direction");
    ASSERT_EQ(d1.size(), 3u);  // wedge start, words, wedge stop
    EXPECT_EQ(d1[0]->child("direction-type")->child("wedge")->attr("type"), "crescendo");
    EXPECT_EQ(d1[1]->attr("placement"), "above");
    EXPECT_EQ(d1[1]->child("direction-type")->childText("words"), "dolce");
    EXPECT_EQ(d1[2]->child("direction-type")->child("wedge")->attr("type"), "stop");

    // Bar 2: repeat start and end, the volta, the tempo mark and the forte.
    const auto b2 = measures[1]->all("barline");
    ASSERT_EQ(b2.size(), 2u);
    EXPECT_EQ(b2[0]->attr("location"), "left");
    EXPECT_EQ(b2[0]->childText("bar-style"), "heavy-light");
    EXPECT_EQ(b2[0]->child("repeat")->attr("direction"), "forward");
    EXPECT_EQ(b2[0]->child("ending")->attr("number"), "1");
    EXPECT_EQ(b2[0]->child("ending")->attr("type"), "start");
    EXPECT_EQ(b2[1]->child("repeat")->attr("direction"), "backward");
    EXPECT_EQ(b2[1]->child("ending")->attr("type"), "stop");
    const XmlNode* metronome =
        measures[1]->child("direction")->child("direction-type")->child("metronome");
    ASSERT_TRUE(metronome);
    EXPECT_EQ(metronome->childText("per-minute"), "88");
    EXPECT_EQ(measures[1]->child("direction")->child("sound")->attr("tempo"), "88");
    const auto n2 = measures[1]->all("note");
    EXPECT_TRUE(n2[0]->child("notations")->child("dynamics")->child("f"));
    EXPECT_EQ(measures[2]->child("barline")->childText("bar-style"), "light-heavy");
}

TEST(MusicXmlExport, CompressedContainerKeepsTheXmlBesideIt) {
    QTemporaryDir dir;
    CScore s = scoreWith({{.time = 0, .duration = 96, .pitch = 60}}, {}, 384);
    const QString mxl = dir.filePath(QStringLiteral("song.mxl"));
    // A file of the user's named like the container description is left alone.
    const QString userFile = dir.filePath(QStringLiteral("container.xml"));
    QFile f(userFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("mine");
    f.close();
    const MusicXmlExportResult r = ExportMusicXml(s, mxl, FixedLayout());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("song.xml"))));
    ASSERT_TRUE(QFile::exists(mxl));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "mine");
    const QString out = dir.filePath(QStringLiteral("c.xml"));
    ASSERT_EQ(n_unzip(mxl, out, QStringLiteral("META-INF/container.xml")), 1);
    QFile c(out);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), containerDescription(QStringLiteral("song.xml")));
    EXPECT_EQ(n_unzip(mxl, dir.filePath(QStringLiteral("s.xml")), QStringLiteral("song.xml")), 1);
}

TEST(MusicXmlExport, UnwritablePathFailsAndLeavesNothing) {
    CScore s = scoreWith({{.time = 0, .duration = 96, .pitch = 60}}, {}, 384);
    const MusicXmlExportResult r =
        ExportMusicXml(s, QStringLiteral("/nonexistent-folder/x.mxl"), FixedLayout());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.messageId, 0);
}
