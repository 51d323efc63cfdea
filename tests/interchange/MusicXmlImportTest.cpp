#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "interchange/MusicXmlExport.h"
#include "interchange/MusicXmlImport.h"
#include "interchange/MusicXmlReader.h"
#include "interchange/MusicXmlStringIds.h"
#include "storage/NZip.h"
#include "TestPaths.h"

using namespace ks;

namespace {

class FixedLayout final : public MusicXmlLayout {
  public:
    MusicXmlPage page() const override { return {}; }
    int32_t barWidth(int) const override { return 1000; }
    int32_t chordX(int, int32_t tick) const override { return tick / 4; }
    bool stemUp(int part, const CTrack&, int) const override { return part < Part::LeftHand; }
};

// A note as heard: tie chains joined, with the part that shows it.
struct Heard {
    int part;
    int32_t time, duration;
    int pitch;
    auto operator<=>(const Heard&) const = default;
};

std::vector<Heard> heard(const CScore& s) {
    std::vector<Heard> out;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = s.trackOfPart(p);
        if (t < 0) continue;
        const auto& notes = s.track(t).notes;
        std::vector<bool> used(size_t(notes.size()), false);
        for (int i = 0; i < notes.size(); ++i) {
            if (used[size_t(i)] || (notes.at(i).flags & NoteFlag::TieEnd)) continue;
            CNote n = notes.at(i);
            for (int j = i + 1; (n.flags & NoteFlag::TieStart) && j < notes.size(); ++j) {
                const CNote& m = notes.at(j);
                if (m.time > n.end()) break;
                if (m.time == n.end() && m.pitch == n.pitch && (m.flags & NoteFlag::TieEnd)) {
                    n.duration += m.duration;
                    n.flags = m.flags;
                    used[size_t(j)] = true;
                }
            }
            out.push_back({p, n.time, n.duration, n.pitch});
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Builds the score of a MusicXML text; fails the test when it does not read.
CScore fromText(const QByteArray& text, QStringList* lost = nullptr) {
    XmlScore x;
    const MusicXmlReadResult r = readMusicXml(text, x);
    EXPECT_TRUE(r.ok) << r.messageId << " " << r.detail.toStdString();
    CScore s;
    s.prefs.key = -1;
    buildScoreFromMusicXml(x, s);
    if (lost)
        for (const auto& [what, count] : x.lost)
            lost->push_back(what);
    return s;
}

QByteArray partwise(const QByteArray& parts, const QByteArray& partList) {
    return "<?xml version=\"1.0\"?>\n<score-partwise version=\"3.1\"><part-list>" + partList +
           "</part-list>" + parts + "</score-partwise>";
}

QByteArray piano(const QByteArray& measures) {
    return partwise("<part id=\"P1\">" + measures + "</part>",
                    "<score-part id=\"P1\"><part-name>Piano</part-name></score-part>");
}

QByteArray note(const char* step, int octave, int duration, const QByteArray& extra = {}) {
    return "<note><pitch><step>" + QByteArray(step) + "</step><octave>" +
           QByteArray::number(octave) + "</octave></pitch><duration>" +
           QByteArray::number(duration) + "</duration>" + extra + "</note>";
}

CScore roundTripScore() {
    CScore s;
    CTrack r1, r2, l1;
    r1.title = QStringLiteral("Melody");
    r2.title = QStringLiteral("Inner");
    l1.title = QStringLiteral("Bass");
    // Quarters, a dotted value, a note across a bar line, a chord, a triplet, a held note
    // of five eighths (written as tied pieces) and a pitch spelled differently by key.
    r1.addNote({.time = 0, .duration = 96, .pitch = 72});
    r1.addNote({.time = 96, .duration = 144, .pitch = 74});
    r1.addNote({.time = 240, .duration = 48, .pitch = 73});
    r1.addNote({.time = 288, .duration = 192, .pitch = 76});
    r1.addNote({.time = 480, .duration = 96, .pitch = 79});
    r1.addNote({.time = 480, .duration = 96, .pitch = 83});
    for (int i = 0; i < 3; ++i)
        r1.addNote(
            {.time = 576 + 32 * i, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 77 + i});
    r1.addNote({.time = 768, .duration = 240, .pitch = 70});
    r2.addNote({.time = 0, .duration = 384, .pitch = 64});
    l1.addNote({.time = 0, .duration = 768, .pitch = 48});
    l1.addNote({.time = 768, .duration = 96, .pitch = 43});
    CEvent tuplet;
    tuplet.type = EventType::Tuplet, tuplet.time = 576, tuplet.data[0] = 3, tuplet.data[1] = 672;
    r1.addEvent(tuplet);
    s.addTrack(r1);
    s.addTrack(r2);
    s.addTrack(l1);
    s.setTimeSignature(3, 4, 2);
    s.setLength(1344);
    s.setKeySignature(8, 0);
    s.assignTrackToPart(0, Part::RightHand);
    s.assignTrackToPart(1, Part::RightHand2);
    s.assignTrackToPart(2, Part::LeftHand);
    s.rebuildAllTracks();
    return s;
}

QString fixture(const char* name) {
    return QStringLiteral(KS_FIXTURES "/musicxml/") + QLatin1String(name);
}

}  // namespace

TEST(MusicXmlImport, OurScoreComesBackNoteForNote) {
    const CScore original = roundTripScore();
    const std::string text = musicXmlText(original, FixedLayout());
    const CScore back = fromText(QByteArray::fromStdString(text));
    EXPECT_EQ(heard(back), heard(original));
    EXPECT_EQ(back.ppqn, 96);
    EXPECT_EQ(back.keyAtBar(0), 8);
    EXPECT_EQ(back.timeSigAtBar(2).nom, 3);
    EXPECT_EQ(back.barCount(), original.barCount());
}

TEST(MusicXmlImport, PianoStavesAndVoicesGoToTheHands) {
    const CScore s = fromText(
        piano("<measure number=\"1\"><attributes><divisions>2</divisions><key><fifths>-1</fifths>"
              "<mode>minor</mode></key><time><beats>2</beats><beat-type>4</beat-type></time>"
              "<staves>2</staves></attributes>" +
              note("A", 4, 4, "<voice>1</voice><staff>1</staff>") +
              "<backup><duration>4</duration></backup>" +
              note("F", 4, 2, "<voice>2</voice><staff>1</staff>") +
              note("E", 4, 2, "<voice>2</voice><staff>1</staff>") +
              "<backup><duration>4</duration></backup>" +
              note("D", 3, 4, "<voice>5</voice><staff>2</staff>") +
              note("A", 2, 4, "<chord/><voice>5</voice><staff>2</staff>") + "</measure>"));
    ASSERT_EQ(s.trackCount(), 3);
    EXPECT_EQ(s.track(s.trackOfPart(Part::RightHand)).notes.size(), 1);
    EXPECT_EQ(s.track(s.trackOfPart(Part::RightHand2)).notes.size(), 2);
    EXPECT_EQ(s.track(s.trackOfPart(Part::LeftHand)).notes.size(), 2);
    EXPECT_LT(s.trackOfPart(Part::LeftHand2), 0);
    EXPECT_EQ(s.track(s.trackOfPart(Part::LeftHand)).notes.at(0).pitch, 45);
    EXPECT_EQ(s.keyAtBar(0), 23);  // D minor
    EXPECT_EQ(s.ppqn, 96);
    EXPECT_EQ(s.length, 192);
}

TEST(MusicXmlImport, PickupRepeatsEndingsAndTempo) {
    const QByteArray bar = note("C", 5, 4) + note("D", 5, 4) + note("E", 5, 4) + note("F", 5, 4);
    const CScore s = fromText(piano(
        "<measure number=\"0\" implicit=\"yes\"><attributes><divisions>4</divisions>"
        "<time><beats>4</beats><beat-type>4</beat-type></time></attributes>"
        "<direction><direction-type><metronome><beat-unit>half</beat-unit>"
        "<per-minute>40</per-minute></metronome></direction-type><sound "
        "tempo=\"80\"/></direction>" +
        note("G", 4, 4) +
        "</measure><measure number=\"1\"><barline location=\"left\"><bar-style>heavy-light"
        "</bar-style><repeat direction=\"forward\"/></barline>" +
        bar +
        "</measure><measure number=\"2\"><barline location=\"left\"><ending number=\"1\" "
        "type=\"start\"/></barline>" +
        bar +
        "<barline location=\"right\"><bar-style>light-heavy</bar-style><ending number=\"1\" "
        "type=\"stop\"/><repeat direction=\"backward\"/></barline></measure>"
        "<measure number=\"3\"><barline location=\"left\"><ending number=\"2\" type=\"start\"/>"
        "</barline>" +
        bar +
        "<barline location=\"right\"><bar-style>light-heavy</bar-style><ending number=\"2\" "
        "type=\"discontinue\"/></barline></measure>"));
    // The pickup is a bar of one quarter; the bars after it are whole bars of 4/4.
    EXPECT_EQ(s.barLength(0), 96);
    EXPECT_EQ(s.barLength(1), 384);
    EXPECT_EQ(s.barStart(2), 480);
    EXPECT_EQ(s.bar(1).styleLeft, 3);
    EXPECT_EQ(s.bar(2).styleRight, 3);
    EXPECT_EQ(s.bar(3).styleRight, 4);
    ASSERT_EQ(s.voltamarks.size(), 2u);
    EXPECT_EQ(s.voltamarks[0].startbar, 2);
    EXPECT_EQ(s.voltamarks[0].caption, "1.");
    EXPECT_EQ(s.voltamarks[0].type, VoltaType::Closed);
    EXPECT_EQ(s.voltamarks[1].type, VoltaType::Open);
    EXPECT_EQ(s.voltamarks[1].flags, 2);
    EXPECT_EQ(s.startTempo(), 80);  // half = 40 is 80 quarters a minute
}

TEST(MusicXmlImport, MarksLyricsDynamicsAndWhatIsLeftOut) {
    QStringList lost;
    const CScore s = fromText(
        piano("<measure number=\"1\"><attributes><divisions>1</divisions></attributes>"
              "<direction placement=\"below\"><direction-type><dynamics><mf/></dynamics>"
              "</direction-type></direction>"
              "<direction><direction-type><wedge type=\"crescendo\"/></direction-type></direction>"
              "<direction><direction-type><words>dolce</words></direction-type></direction>"
              "<note><grace/><pitch><step>B</step><octave>4</octave></pitch><type>eighth</type>"
              "</note>" +
              note("C", 5, 1,
                   "<notations><articulations><staccato/><tenuto/></articulations><technical>"
                   "<fingering>3</fingering></technical><slur type=\"start\" number=\"1\"/>"
                   "</notations><lyric number=\"1\"><syllabic>begin</syllabic><text>Hal</text>"
                   "</lyric><lyric number=\"2\"><text>Oh</text></lyric>") +
              note("D", 5, 1,
                   "<notations><slur type=\"stop\" number=\"1\"/><fermata/><ornaments>"
                   "<trill-mark/></ornaments></notations>") +
              "<direction><direction-type><wedge type=\"stop\"/></direction-type></direction>" +
              note("E", 5, 2, "<tie type=\"start\"/>") +
              "<harmony><root><root-step>C</root-step></root></harmony></measure>"
              "<measure number=\"2\">" +
              note("E", 5, 1, "<tie type=\"stop\"/>") + note("F", 5, 3) + "</measure>"),
        &lost);
    const CTrack& t = s.track(s.trackOfPart(Part::RightHand));
    ASSERT_EQ(t.notes.size(), 4);  // the tied E is one note
    EXPECT_EQ(t.notes.at(2).duration, 288);
    EXPECT_TRUE(t.notes.at(0).flags & NoteFlag::Grace);
    EXPECT_TRUE(t.notes.at(1).flags & NoteFlag::Trill);
    int graces = 0, lyrics = 0, phrases = 0, marks = 0, wedges = 0;
    for (const CEvent& e : t.events) {
        graces += e.type == EventType::GraceNote && e.data[0] == 71 && e.data[1] == 48;
        lyrics += e.type == EventType::Lyric;
        phrases += e.type == EventType::Phrase;
        marks += e.type == EventType::NoteMarks && e.data[0] == (NoteMark::Staccato | 0x08);
        wedges += e.type == EventType::Crescendo && e.data[0] == 192;
    }
    EXPECT_EQ(graces, 1);
    EXPECT_EQ(lyrics, 2);
    EXPECT_EQ(phrases, 2);
    EXPECT_EQ(marks, 1);
    EXPECT_EQ(wedges, 1);
    bool dynamic = false, words = false;
    for (const CEvent& e : s.annotationTrack.events) {
        dynamic |= e.data[0] == 1 && e.text == "&";
        words |= e.data[0] == 0 && e.text == "dolce";
    }
    EXPECT_TRUE(dynamic);
    EXPECT_TRUE(words);
    EXPECT_TRUE(lost.contains("chord symbols"));
    EXPECT_TRUE(lost.contains("fermatas"));
    EXPECT_TRUE(lost.contains("articulations other than staccato and accent"));
}

TEST(MusicXmlImport, BadInputEndsInAMessageAndNoScore) {
    const QByteArray ok1 = "<measure number=\"1\"><attributes><divisions>";
    struct Case {
        const char* what;
        QByteArray text;
        int message;
    };
    const Case cases[] = {
        {"malformed", "<score-partwise><part-list>", MusicXmlStringId::Malformed},
        {"not MusicXML", "<?xml version=\"1.0\"?><score/>", MusicXmlStringId::NotMusicXml},
        {"timewise", "<score-timewise/>", MusicXmlStringId::TimewiseNotRead},
        {"entity expansion",
         "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY a \"aaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><score-partwise><work><work-title>&b;"
         "</work-title></work></score-partwise>",
         MusicXmlStringId::EntitiesRefused},
        {"external entity",
         "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY x SYSTEM "
         "\"http://127.0.0.1:9/x\">]><score-partwise><work><work-title>&x;</work-title></work>"
         "</score-partwise>",
         MusicXmlStringId::EntitiesRefused},
        {"zero divisions", piano(ok1 + "0</divisions></attributes></measure>"),
         MusicXmlStringId::BadDivisions},
        {"negative divisions", piano(ok1 + "-4</divisions></attributes></measure>"),
         MusicXmlStringId::BadDivisions},
        {"huge divisions", piano(ok1 + "99999999999</divisions></attributes></measure>"),
         MusicXmlStringId::BadDivisions},
        {"negative duration",
         piano(ok1 + "1</divisions></attributes>" + note("C", 4, -3) + "</measure>"),
         MusicXmlStringId::BadDuration},
        {"huge duration",
         piano(ok1 + "1</divisions></attributes>" + note("C", 4, 2000000000) + "</measure>"),
         MusicXmlStringId::BadDuration},
    };
    for (const Case& c : cases) {
        XmlScore x;
        const MusicXmlReadResult r = readMusicXml(c.text, x);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_TRUE(x.parts.empty()) << c.what;
    }
    // The standard's own document type, naming its DTD on the web, is read without
    // fetching anything.
    XmlScore x;
    EXPECT_TRUE(readMusicXml("<?xml version=\"1.0\"?><!DOCTYPE score-partwise PUBLIC "
                             "\"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
                             "\"http://www.musicxml.org/dtds/partwise.dtd\"><score-partwise/>",
                             x)
                    .ok);
}

TEST(MusicXmlImport, CompressedFilesAndBrokenContainers) {
    QTemporaryDir dir;
    const CScore original = roundTripScore();
    const QString good = dir.filePath(QStringLiteral("good.mxl"));
    ASSERT_TRUE(ExportMusicXml(original, good, FixedLayout()).ok);
    CScore back;
    const MusicXmlImportResult r = importMusicXmlFile(good, back);
    ASSERT_TRUE(r.ok) << r.messageId;
    EXPECT_EQ(heard(back), heard(original));
    EXPECT_TRUE(isMusicXmlFile(good));
    EXPECT_TRUE(isMusicXmlFile(dir.filePath(QStringLiteral("good.xml"))));

    const auto write = [&](const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QString garbage = write(QStringLiteral("garbage.txt"), "<container><rootfiles>");
    const QString pointsNowhere = write(
        QStringLiteral("nowhere.txt"),
        "<container><rootfiles><rootfile full-path=\"../../etc/passwd\"/></rootfiles></container>");
    const QString xml = dir.filePath(QStringLiteral("good.xml"));
    struct Case {
        const char* name;
        std::vector<std::pair<QString, QString>> members;  // source, member name
        int message;
    };
    const Case cases[] = {
        {"none.mxl", {{xml, QStringLiteral("good.xml")}}, MusicXmlStringId::BadContainer},
        {"bad.mxl",
         {{garbage, QStringLiteral("META-INF/container.xml")}, {xml, QStringLiteral("good.xml")}},
         MusicXmlStringId::BadContainer},
        {"nowhere.mxl",
         {{pointsNowhere, QStringLiteral("META-INF/container.xml")},
          {xml, QStringLiteral("good.xml")}},
         MusicXmlStringId::MemberMissing},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QLatin1String(c.name));
        for (const auto& [source, member] : c.members)
            ASSERT_NE(n_zip(source, path, member), 0);
        CScore s;
        const MusicXmlImportResult bad = importMusicXmlFile(path, s);
        EXPECT_FALSE(bad.ok) << c.name;
        EXPECT_EQ(bad.messageId, c.message) << c.name;
        EXPECT_EQ(s.trackCount(), 0) << c.name;
    }
    CScore s;
    EXPECT_EQ(importMusicXmlFile(dir.filePath(QStringLiteral("missing.mxl")), s).messageId,
              MusicXmlStringId::UnableToOpen);
}

// Files written by another notation program (see tests/fixtures/musicxml/README.md).
TEST(MusicXmlImport, FilesFromOtherSoftware) {
    {
        CScore s;
        s.prefs.key = -1;
        const MusicXmlImportResult r = importMusicXmlFile(fixture("piano-waltz.musicxml"), s);
        ASSERT_TRUE(r.ok) << r.messageId;
        ASSERT_GE(s.trackOfPart(Part::RightHand), 0);
        ASSERT_GE(s.trackOfPart(Part::LeftHand), 0);
        EXPECT_EQ(s.timeSigAtBar(0).nom, 3);
        EXPECT_EQ(s.keyAtBar(0), 6);  // G major
        // The file's upper staff holds 84 notes in one voice, its lower staff 96 in its
        // first voice and 10 in a second.
        EXPECT_EQ(s.track(s.trackOfPart(Part::RightHand)).notes.size(), 84);
        EXPECT_EQ(s.track(s.trackOfPart(Part::LeftHand)).notes.size(), 96);
        ASSERT_GE(s.trackOfPart(Part::LeftHand2), 0);
        EXPECT_EQ(s.track(s.trackOfPart(Part::LeftHand2)).notes.size(), 10);
        EXPECT_LT(s.trackOfPart(Part::RightHand2), 0);
        // Our score -> MusicXML -> our score keeps every note.
        const CScore back = fromText(QByteArray::fromStdString(musicXmlText(s, FixedLayout())));
        EXPECT_EQ(heard(back), heard(s));
        EXPECT_EQ(heard(s).size(), 190u);
    }
    {
        CScore s;
        const MusicXmlImportResult r = importMusicXmlFile(fixture("fugue-1.mxl"), s);
        ASSERT_TRUE(r.ok) << r.messageId;
        EXPECT_EQ(s.trackCount(), 4);
        EXPECT_EQ(s.title, "Fugue #1");
        for (const CTrack& t : s.tracks)
            EXPECT_GT(t.notes.size(), 100);
        // Four single staves: two are shown as the hands, the others stay tracks, and
        // the message says so.
        EXPECT_GE(s.trackOfPart(Part::RightHand), 0);
        EXPECT_GE(s.trackOfPart(Part::LeftHand), 0);
        EXPECT_TRUE(std::any_of(r.lost.begin(), r.lost.end(),
                                [](const QString& l) { return l.startsWith("staves not shown"); }));
    }
}
