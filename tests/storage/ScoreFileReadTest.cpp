#include <gtest/gtest.h>

#include "ScoreFileTestUtil.h"
#include "model/StringIds.h"

using namespace ks;
using namespace ks::test;

TEST(ScoreFileRead, OnlyTheRootGivesAResetScore) {
    CScore s;
    s.makeNewDocument();
    ASSERT_TRUE(readDocument("<keystaves>\n</keystaves>\n", s).ok);
    EXPECT_EQ(s.trackCount(), 0);
    EXPECT_EQ(s.ppqn, 96);
    EXPECT_EQ(s.length, 0);
    EXPECT_EQ(s.tempoTrack.events.size(), 1);
    ASSERT_TRUE(readDocument("<keystaves />", s).ok);
}

TEST(ScoreFileRead, AnythingButTheRootFirstIsAnInvalidFileType) {
    const char* documents[] = {
        "<?xml version=\"1.0\"?>\n<keystaves>\n</keystaves>\n",
        "<!-- note -->\n<keystaves>\n</keystaves>\n",
        "text\n<keystaves>\n</keystaves>\n",
        "<Keystaves>\n</Keystaves>\n",
        "<score>\n</score>\n",
        "",
        "\x89PNG\r\n\x1a\n\x00\x00\x00",
    };
    for (const char* doc : documents) {
        CScore s;
        s.title = QStringLiteral("before");
        const ReadResult r = readDocument(QByteArray(doc), s);
        EXPECT_FALSE(r.ok) << doc;
        EXPECT_EQ(r.messageId, StringId::InvalidFileType) << doc;
        EXPECT_TRUE(s.title.isEmpty());  // left reset, never half read
    }
    CScore s;
    EXPECT_EQ(readScoreFile(QStringLiteral("/nonexistent/x.xml"), s, nullptr).messageId,
              StringId::UnableToOpenFile);
}

TEST(ScoreFileRead, ElementsAreKnownByTheirFullPath) {
    // A note outside a track, and a "track" in a place of its own, are ignored; the
    // "track" under "tempos" replaces the tempo track.
    CScore s;
    ASSERT_TRUE(readDocument(scoreDocument(R"(
<note time="0" duration="96" pitch="60" />
<tracks count="1"><track title="A"><notes count="3">
<note time="0" duration="96" pitch="60" />
<note time="0" duration="48" pitch="60" velocity="5" />
<note time="96" duration="96" pitch="61" flags="514" velocity="300" />
</notes></track></tracks>
<elsewhere><track title="B"><notes><note time="0" duration="96" pitch="60" /></notes></track></elsewhere>
<tempos><track title="Tempo Track"><events count="1"><event time="0" type="2" pitch="0" data0="1" data1="90" /></events></track></tempos>
)"),
                             s)
                    .ok);
    ASSERT_EQ(s.trackCount(), 1);
    const CTrack& t = s.track(0);
    ASSERT_EQ(t.notes.size(), 2);  // the duplicate time and pitch is dropped: the first stays
    EXPECT_EQ(t.notes.at(0).duration, 96);
    EXPECT_EQ(t.notes.at(0).velocity, 100);
    EXPECT_EQ(t.notes.at(1).flags, 514);
    EXPECT_EQ(t.notes.at(1).velocity, 127);
    EXPECT_FALSE(t.chordsvalid);
    EXPECT_EQ(s.startTempo(), 90);
}

TEST(ScoreFileRead, PreferencesRules) {
    CScore s;
    s.prefs.showlyrics = true;
    s.prefs.stavetype = 4;
    s.prefs.barsperline = 6;
    ASSERT_TRUE(
        readDocument(
            scoreDocument(
                R"(<preferences fontsize="40" colourmode="9" hideleadingrests="1" indentatend="0" tempo="80" midichannel="3">
<midiprefs channel="4" velocity="90" />
<papercol paper="255" />
</preferences>)"),
            s)
            .ok);
    EXPECT_EQ(s.prefs.fontsize, 53);
    EXPECT_EQ(s.prefs.colourmode, 4);
    EXPECT_FALSE(s.prefs.showlyrics);  // cleared before reading
    EXPECT_EQ(s.prefs.stavetype, 0);
    EXPECT_EQ(s.prefs.barsperline, 6);  // absent: kept
    EXPECT_TRUE(s.prefs.hiderestsatstart);
    EXPECT_TRUE(s.prefs.hiderestsatend);
    EXPECT_TRUE(s.prefs.indentatstart);
    EXPECT_FALSE(s.prefs.indentatend);
    EXPECT_EQ(s.midi.tempo, 80);
    EXPECT_EQ(s.midi.channel, 4);  // midiprefs wins
    EXPECT_EQ(s.midi.velocity, 90);
    EXPECT_EQ(s.prefs.paper, 255);
    EXPECT_EQ(s.prefs.margin, 0xFFFFFF);
    EXPECT_EQ(s.prefs.grid, 128);
}

TEST(ScoreFileRead, KeyOfTheSettingsBecomesTheKeyAtBarZero) {
    struct Case {
        const char* attributes;
        int32_t key;  // -1: no key signature
    };
    for (const Case c : {Case{"key=\"5\"", 5}, Case{"key=\"2\" minorkey=\"1\"", 17},
                         Case{"key=\"40\"", 7}, Case{"key=\"-1\"", -1}}) {
        CScore s;
        ASSERT_TRUE(
            readDocument(scoreDocument(QByteArray("<preferences ") + c.attributes + " />"), s).ok);
        EXPECT_EQ(s.keyAtBar(0), c.key) << c.attributes;
    }
}

TEST(ScoreFileRead, SignaturesVoltasPartsAndBars) {
    CScore s;
    ASSERT_TRUE(readDocument(scoreDocument(R"(
<bars count="4"><bar styleRight="4" index="3" /><bar width="50" index="9" /><bar styleLeft="2" index="-1" /></bars>
<timesigs count="2"><timesignature bar="0" nom="3" denom="4" /><timesignature bar="2" nom="6" denom="8" /></timesigs>
<keysigs count="1"><keysignature bar="1" key="22" /></keysigs>
<voltamarks count="3"><volta type="0" startbar="1" endbar="1" caption="1, 3" /><volta type="1" startbar="2" endbar="2" /><volta type="1" startbar="3" endbar="3" flags="4" caption="3." /></voltamarks>
<part hand="2" track="1" /><part hand="5" track="1" /><part hand="-1" track="1" />
)",
                                           "ppqn=\"96\" length=\"999\""),
                             s)
                    .ok);
    EXPECT_EQ(s.length, 999);  // signatures do not move the length
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].time, 2 * 288);
    EXPECT_EQ(s.keyAtBar(1), 22);
    ASSERT_EQ(s.voltamarks.size(), 3u);
    EXPECT_EQ(s.voltamarks[0].flags, 5);
    EXPECT_EQ(s.voltamarks[1].flags, 2);
    EXPECT_EQ(s.voltamarks[2].flags, 4);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 1, 0}));
    ASSERT_GE(s.bars.size(), 4u);
    EXPECT_EQ(s.bars[3].styleRight, 4);
    EXPECT_EQ(s.bars[0].styleLeft, 0);
}

TEST(ScoreFileRead, UserFontsCollapseAndTextBoxesSplit) {
    CScore s;
    ASSERT_TRUE(readDocument(scoreDocument(R"(
<textbox text="A&#96B&#96;" name="Title" />
<textbox text="One" name="Subtitle" />
<userfonts count="3"><font name="Arial" size="-100" /><font name="ARIAL" size="-100" /><font name="Arial" size="-90" /></userfonts>
)"),
                             s)
                    .ok);
    ASSERT_EQ(s.userfonts.size(), 2u);
    EXPECT_EQ(s.userfonts[1].size, -90);
    // The grave-accent entity has no semicolon: one that follows stays.
    EXPECT_EQ(s.titleBox.text, QStringLiteral("A`B`;"));
    EXPECT_EQ(s.subtitleBox.lines, QStringList{QStringLiteral("One")});
}

// Hostile documents end in the message or in a valid model; never a crash, hang or a
// huge allocation.
TEST(ScoreFileRead, HostileDocumentsGiveAValidModelOrAMessage) {
    const QByteArray hostile[] = {
        scoreDocument(
            "<tracks count=\"2000000000\"><track title=\"x\"><notes count=\"2000000000\">"
            "<note time=\"5\" duration=\"-3\" pitch=\"300\" /><note time=\"-7\" duration=\"5\" />"
            "<note time=\"2147483647\" duration=\"2147483647\" pitch=\"-4\" velocity=\"0\" />"),
        scoreDocument("<bars count=\"2000000000\"><bar index=\"1999999999\" width=\"0\" /></bars>"
                      "<lines count=\"2000000000\"><line size=\"0\" /></lines>",
                      "ppqn=\"0\" length=\"2147483647\" editlength=\"-5\""),
        scoreDocument("<timesigs><timesignature bar=\"2000000000\" nom=\"0\" denom=\"0\" />"
                      "<timesignature bar=\"-3\" nom=\"-1\" denom=\"7\" /></timesigs>",
                      "ppqn=\"-96\" length=\"-1\""),
        scoreDocument("<keysigs><keysignature bar=\"-1\" key=\"99\" /></keysigs>"
                      "<part hand=\"0\" track=\"2000000000\" /><selection hand=\"99\" />"),
        scoreDocument(
            "<tracks><track><events><event type=\"7\" pitch=\"2147483647\" fontindex=\"-9\" "
            "time=\"-1\" /></events>"),  // cut short inside the track
        QByteArray("<keystaves><score title=\"") + QByteArray(10 * 1024 * 1024, 'x') +
            "\"></score></keystaves>",
        QByteArray("<keystaves><score title=\"\xC3\x28\xFF\xFE bad utf-8\"></score></keystaves>"),
        QByteArray("<keystaves>") + QByteArray(4096, '<'),
    };
    for (const QByteArray& doc : hostile) {
        SCOPED_TRACE(doc.left(120).toStdString());
        CScore s;
        const ReadResult r = readDocument(doc, s);
        if (!r.ok) {
            EXPECT_TRUE(r.messageId == StringId::InvalidFileType ||
                        r.messageId == StringId::ErrorLoadingFile);
            continue;
        }
        EXPECT_GE(s.ppqn, 1);
        EXPECT_LE(s.ppqn, kMaxPpqn);
        EXPECT_GE(s.length, 0);
        EXPECT_GE(s.editlength, s.length);
        EXPECT_LE(s.bars.size(), size_t(kMaxBars));
        EXPECT_LE(s.lines.size(), size_t(kMaxBars));
        for (const CTimeSignature& t : s.timesigs)
            EXPECT_GE(t.barlength, 1);
        for (const CKeySignature& k : s.keysigs) {
            EXPECT_GE(k.key, 0);
            EXPECT_LT(k.key, kKeyCount);
        }
        for (const CTrack& t : s.tracks) {
            for (const CNote& n : t.notes) {
                EXPECT_GE(n.time, 0);
                EXPECT_GT(n.duration, 0);
                EXPECT_TRUE(n.pitch >= 0 && n.pitch <= 127);
                EXPECT_TRUE(n.velocity >= 1 && n.velocity <= 127);
            }
            for (const CEvent& e : t.events) {
                EXPECT_TRUE(e.pitch >= 0 && e.pitch <= kEventPitchMax);
                EXPECT_GE(e.fontindex, 0);
                EXPECT_GE(e.time, 0);
            }
        }
        EXPECT_TRUE(s.selection.hand >= 0 && s.selection.hand < kPartCount);
        // The model stays usable: chords build and the score writes.
        s.rebuildBars();
        s.rebuildAllTracks();
        EXPECT_LE(s.bars.size(), size_t(kMaxBars));
        EXPECT_FALSE(writtenBytes(s).isEmpty());
    }
}
