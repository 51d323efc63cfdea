// Hostile documents that once overflowed or took quadratic time: tick sums stay in the
// reader's range, the music size stays drawable, and nesting of any depth reads in
// linear time without disturbing the elements around it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>

#include "ScoreFileTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// A predecessor document with one track whose events are given.
QByteArray predecessorTrack(const QByteArray& events) {
    return "<tonepad><midi ppq=\"96\"><track title=\"T\" length=\"384\"><events>" + events +
           "</events></track></midi></tonepad>";
}

std::vector<CEvent> eventsOfType(const CTrack& track, int type) {
    std::vector<CEvent> found;
    for (const CEvent& e : track.events)
        if (e.type == type) found.push_back(e);
    return found;
}

}  // namespace

TEST(ReaderBounds, PredecessorTripletEndsStayInTheTickRange) {
    CScore s;
    ASSERT_TRUE(readDocument(predecessorTrack("<event time=\"0\" pitch=\"60\" velocity=\"90\" "
                                              "duration=\"96\"><triplet time=\"2147483647\" "
                                              "duration=\"192\"></triplet></event>"),
                             s)
                    .ok);
    ASSERT_EQ(s.trackCount(), 1);
    const std::vector<CEvent> tuplets = eventsOfType(s.track(0), EventType::Tuplet);
    ASSERT_EQ(tuplets.size(), 1u);
    EXPECT_EQ(tuplets[0].time, kMaxReaderTick);
    EXPECT_EQ(tuplets[0].data[1], kMaxReaderTick);
}

TEST(ReaderBounds, MusicSizeIsClampedToADrawableRangeInBothFormats) {
    struct Case {
        const char* fontsize;
        int32_t expected;
    } cases[] = {
        {"2147483647", kMaxReaderFontSize},
        {"1001", kMaxReaderFontSize},
        {"1000", 1000},
        {"107", 107},
        {"40", kMinFontSize},
        {"-2147483648", kMinFontSize},
    };
    for (const Case& c : cases) {
        const QByteArray attribute = QByteArray("fontsize=\"") + c.fontsize + "\"";
        const QByteArray documents[] = {
            scoreDocument("<preferences " + attribute + " />"),
            "<tonepad><score><preferences " + attribute + " /></score></tonepad>",
        };
        for (const QByteArray& document : documents) {
            SCOPED_TRACE(document.toStdString());
            CScore s;
            ASSERT_TRUE(readDocument(document, s).ok);
            EXPECT_EQ(s.prefs.fontsize, c.expected);
        }
    }
}

// 200,000 nested elements took from 16 to 43 seconds (a release build) when every
// element copied the path of names above it; a linear walk reads them in a fraction of
// that even in a debug build.
TEST(ReaderBounds, DeepNestingReadsInLinearTime) {
    constexpr int kDepth = 200000;
    const QByteArray nestedScores = "<keystaves><score title=\"Outer\">" +
                                    repeated("<score title=\"Inner\">", kDepth - 1) +
                                    repeated("</score>", kDepth) + "</keystaves>";
    const QByteArray nestedTracks = "<keystaves><score><tracks>" +
                                    repeated("<track title=\"T\">", kDepth) +
                                    repeated("</track>", kDepth) + "</tracks></score></keystaves>";
    const QByteArray nestedTriplets =
        predecessorTrack("<event time=\"0\" pitch=\"60\" velocity=\"90\" duration=\"96\">" +
                         repeated("<triplet time=\"0\" duration=\"192\">", kDepth) +
                         repeated("</triplet>", kDepth) + "</event>");

    QElapsedTimer timer;
    timer.start();
    CScore scores, tracks, triplets;
    ASSERT_TRUE(readDocument(nestedScores, scores).ok);
    ASSERT_TRUE(readDocument(nestedTracks, tracks).ok);
    ASSERT_TRUE(readDocument(nestedTriplets, triplets).ok);
    // Generous even for a loaded machine or a sanitizer build: only a walk that grows
    // with the depth fails.
    EXPECT_LT(timer.elapsed(), 90000);

    // Only the elements at the paths the format knows are read.
    EXPECT_EQ(scores.title, QStringLiteral("Outer"));
    ASSERT_EQ(tracks.trackCount(), 1);
    EXPECT_EQ(tracks.track(0).title, QStringLiteral("T"));
    ASSERT_EQ(triplets.trackCount(), 1);
    EXPECT_EQ(eventsOfType(triplets.track(0), EventType::Tuplet).size(), 1u);
}

TEST(ReaderBounds, ElementsBeyondTheKnownPathsLeaveTheOthersAlone) {
    const QByteArray longName(300, 'x');
    struct Case {
        QByteArray document;
        const char* title;  // of the score
        int tracks;
    } cases[] = {
        // A name longer than any known path hides what it holds, not what follows.
        {"<keystaves><" + longName + "><score title=\"Hidden\" /></" + longName +
             "><score title=\"Seen\" /></keystaves>",
         "Seen", 0},
        // Elements deeper than any known path, then a known one at its own depth.
        {"<keystaves><score title=\"Top\"><tracks>" + repeated("<a><b><c><d><e><f><g><h><i>", 3) +
             "<track title=\"Lost\" />" + repeated("</i></h></g></f></e></d></c></b></a>", 3) +
             "<track title=\"Found\" /></tracks></score></keystaves>",
         "Top", 1},
        // A long name as an empty element changes nothing.
        {"<keystaves><score><" + longName +
             " /><tracks><track title=\"Found\" /></tracks>"
             "</score><score title=\"Last\" /></keystaves>",
         "Last", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document.left(200).toStdString());
        CScore s;
        ASSERT_TRUE(readDocument(c.document, s).ok);
        EXPECT_EQ(s.title, QString::fromLatin1(c.title));
        ASSERT_EQ(s.trackCount(), c.tracks);
        if (c.tracks > 0) {
            EXPECT_EQ(s.track(0).title, QStringLiteral("Found"));
        }
    }
}
