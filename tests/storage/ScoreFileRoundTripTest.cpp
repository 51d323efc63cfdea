#include <gtest/gtest.h>

#include <QDir>

#include "ScoreFileTestUtil.h"
#include "TestPaths.h"
#include "support/BenchmarkScore.h"

using namespace ks;
using namespace ks::test;

namespace {

void expectSameContent(const CScore& a, const CScore& b) {
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.ppqn, b.ppqn);
    EXPECT_EQ(a.length, b.length);
    EXPECT_EQ(a.editlength, b.editlength);
    EXPECT_EQ(a.prefs, b.prefs);
    EXPECT_EQ(a.midi, b.midi);
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.parts, b.parts);
    EXPECT_EQ(a.timesigs, b.timesigs);
    EXPECT_EQ(a.keysigs, b.keysigs);
    EXPECT_EQ(a.voltamarks, b.voltamarks);
    EXPECT_EQ(a.userfonts, b.userfonts);
    ASSERT_EQ(a.trackCount(), b.trackCount());
    for (int t = 0; t < a.trackCount(); ++t) {
        EXPECT_EQ(a.track(t).title, b.track(t).title);
        EXPECT_EQ(a.track(t).notes, b.track(t).notes) << "track " << t;
        EXPECT_EQ(a.track(t).events, b.track(t).events) << "track " << t;
    }
    EXPECT_EQ(a.tempoTrack.events, b.tempoTrack.events);
    EXPECT_EQ(a.annotationTrack.events, b.annotationTrack.events);
}

}  // namespace

TEST(ScoreFileRoundTrip, GeneratedScoreReadsBackAndRewritesTheSameBytes) {
    CScore original = bench::makeBenchmarkScore(3, 2000);
    original.subtitle = QStringLiteral("Ärger & <Freude> \"quoted\" 'single' `grave` – —");
    original.internetID = 77;
    original.filehash = QStringLiteral("ABCDEF");
    original.titleBox = CTextBox{.text = QStringLiteral("Line one\nLine two"),
                                 .name = QStringLiteral("Title"),
                                 .font = 1,
                                 .height = 300,
                                 .left = 500,
                                 .top = 500,
                                 .right = 7000,
                                 .bottom = 900};
    original.bars[3].styleLeft = 3;
    original.bars[3].restoffset[2] = -4;
    original.bars[5].width = 200;
    original.lines.resize(3);
    original.lines[1] = CScoreLine{
        .barCount = 5, .x = -3, .lpad = 4, .size = 0.87655, .minStaveGap = 2, .y = 12, .yt = 9};
    original.prefs.paper = 0xEEDDCC;
    original.prefs.stavetype = 3;
    original.prefs.customfingering = true;
    CPrinterSettings printer;
    printer.devmode = QByteArray(156, '\x11');
    printer.devnames = QByteArrayLiteral("\x08\x00printer\x00");
    printer.hasMargins = true;
    printer.left = 500;
    printer.bottom = 750;

    const QByteArray first = writtenBytes(original, printer);
    ASSERT_FALSE(first.isEmpty());
    CScore read;
    CPrinterSettings readPrinter;
    ASSERT_TRUE(readDocument(first, read, &readPrinter).ok);
    expectSameContent(original, read);
    EXPECT_EQ(read.titleBox.lines,
              (QStringList{QStringLiteral("Line one"), QStringLiteral("Line two")}));
    EXPECT_EQ(read.bars[3].restoffset[2], -4);
    EXPECT_EQ(read.lines[1].size, 0.87655);
    EXPECT_EQ(readPrinter, printer);
    EXPECT_EQ(writtenBytes(read, readPrinter), first);
}

// Every shipped sample is a document exactly as the writer writes it.
TEST(ScoreFileRoundTrip, SamplesAreStableUnderReadAndWrite) {
    const QDir samples(QStringLiteral(KS_SOURCE_DIR "/resources/samples"));
    const QStringList files = samples.entryList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readBytes(samples.filePath(name));
        CScore score;
        CPrinterSettings printer;
        ASSERT_TRUE(readDocument(bytes, score, &printer).ok);
        EXPECT_GT(score.trackCount(), 0);
        EXPECT_EQ(writtenBytes(score, printer), bytes);
    }
}

// The cursor and selection box are saved with the document and read back; a document
// whose cursor never moved has no selection element, so its bytes stay as they were.
TEST(ScoreFileRoundTrip, CursorAndSelectionGoWithTheDocument) {
    CScore s;
    s.makeNewDocument();
    EXPECT_FALSE(writtenBytes(s).contains("<selection"));
    s.selection.hand = 2;
    s.selection.mode = EditMode::Lyric;
    s.selection.timestart = 384;
    s.selection.timeend = 768;
    s.selection.pitchlo = 72;
    s.selection.pitchhi = 55;
    s.selection.lyricindex = 1;
    s.selection.selecttrack = 0;
    const QByteArray bytes = writtenBytes(s);
    EXPECT_TRUE(bytes.contains("<selection hand=\"2\""));
    CScore read;
    ASSERT_TRUE(readDocument(bytes, read).ok);
    EXPECT_EQ(read.selection.hand, 2);
    EXPECT_EQ(read.selection.mode, EditMode::Lyric);
    EXPECT_EQ(read.selection.timestart, 384);
    EXPECT_EQ(read.selection.timeend, 768);
    EXPECT_EQ(read.selection.pitchlo, 72);
    EXPECT_EQ(read.selection.pitchhi, 55);
    EXPECT_EQ(read.selection.lyricindex, 1);
    EXPECT_EQ(writtenBytes(read), bytes);
}

TEST(ScoreFileRoundTrip, EmptyLyricsAndMarklessNoteMarksAreNotSaved) {
    CScore s;
    s.makeNewDocument();
    CEvent lyric{.time = 0, .type = EventType::Lyric};
    CEvent marks{.time = 0, .type = EventType::NoteMarks};
    CEvent kept{.time = 96, .text = QStringLiteral("la"), .type = EventType::Lyric};
    s.tracks[0].addEvent(lyric);
    s.tracks[0].addEvent(marks);
    s.tracks[0].addEvent(kept);
    const QByteArray bytes = writtenBytes(s);
    EXPECT_TRUE(bytes.contains("<events count=\"1\">"));
    CScore read;
    ASSERT_TRUE(readDocument(bytes, read).ok);
    ASSERT_EQ(read.track(0).events.size(), 1);
    EXPECT_EQ(read.track(0).events.at(0).text, QStringLiteral("la"));
    EXPECT_EQ(writtenBytes(read), bytes);
    dropEmptyMarks(s);
    EXPECT_EQ(s.track(0).events.size(), 1);
}

TEST(ScoreFileRoundTrip, PrinterHexIsCutInto128CharacterPieces) {
    CScore s;
    CPrinterSettings printer;
    printer.devmode = QByteArray(156, '\xAB');  // 312 hex characters
    const QByteArray bytes = writtenBytes(s, printer);
    const QByteArray piece = QByteArray("AB").repeated(64);
    EXPECT_EQ(bytes.count("<devmode "), 3);
    EXPECT_TRUE(bytes.contains("<devmode data1=\"" + piece + "\" />"));
    EXPECT_TRUE(bytes.contains("<devmode data1=\"" + piece + "\" data2=\"" + piece + "\" />"));
    EXPECT_TRUE(bytes.contains("data3=\"" + QByteArray("AB").repeated(28) + "\" />"));
    CScore read;
    CPrinterSettings back;
    ASSERT_TRUE(readDocument(bytes, read, &back).ok);
    EXPECT_EQ(back.devmode, printer.devmode);
}

TEST(ScoreFileRoundTrip, CompatibilityStubAndCompanion) {
    const QByteArray stub = compatibilityStub();
    EXPECT_TRUE(stub.startsWith("<tonepad version1=\"4\" version2=\"0\" version3=\"0\">\r\n"));
    EXPECT_TRUE(stub.contains(
        "\r\n <score title=\"This File Was Saved Using KSV Version 4\" copyright=\" \""));
    EXPECT_TRUE(stub.contains(
        "\r\n  <preferences fontsize=\"53\" showtitle=\"1\" showartist=\"1\" tempo=\"120\" "
        "zoom=\"100\" colourmode=\"0\">\r\n  </preferences>\r\n </score>\r\n"
        " <midi ppq=\"8\">\r\n </midi>\r\n</tonepad>\r\n"));
    // The stub is itself a readable predecessor document.
    CScore s;
    ASSERT_TRUE(readDocument(stub, s).ok);
    EXPECT_EQ(s.title, QStringLiteral("This File Was Saved Using KSV Version 4"));
    EXPECT_EQ(s.ppqn, 96);  // ppq 8 is below the accepted range
    const QByteArray gfx = companionBytes();
    ASSERT_EQ(gfx.size(), 28);
    EXPECT_EQ(gfx.left(8), QByteArray("\xFF\xFF\xFF\x00\x08\x00\x00\x00", 8));
    EXPECT_EQ(gfx.mid(8), QByteArray(20, '\0'));
}
