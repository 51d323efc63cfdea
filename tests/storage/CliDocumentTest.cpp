// keystaves-cli with document containers: dump reads them, convert writes them, and bad
// input fails with the editor's message and writes nothing.
#include <gtest/gtest.h>

#include "interchange/MidiFile.h"

#include <QProcess>
#include <QProcessEnvironment>

#include "DocumentTestUtil.h"
#include "ZipFixtures.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

struct CliRun {
    int status = -1;
    QByteArray out, err;
};

class CliDocumentTest : public IsolatedStorageTest {
  protected:
    CliRun cli(const QStringList& args) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KEYSTAVES_TEMP_DIR"), temp.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KS_CLI), args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }
    const QString sample = QStringLiteral(KS_SOURCE_DIR "/resources/samples/ode-to-joy.xml");
};

}  // namespace

TEST_F(CliDocumentTest, ConvertWritesAContainerThatDumpsLikeItsSource) {
    const CliRun source = cli({QStringLiteral("dump"), sample});
    ASSERT_EQ(source.status, 0) << source.err.toStdString();
    const QString ksv = workPath(QStringLiteral("ode.ksv"));
    const CliRun converted = cli({QStringLiteral("convert"), sample, ksv});
    ASSERT_EQ(converted.status, 0) << converted.err.toStdString();
    EXPECT_TRUE(looksLikeZipFile(ksv));
    const CliRun dumped = cli({QStringLiteral("dump"), ksv});
    ASSERT_EQ(dumped.status, 0) << dumped.err.toStdString();
    EXPECT_EQ(dumped.out, source.out);

    // Converting a container again, over an existing file, leaves no backup.
    const QString again = workPath(QStringLiteral("again.ksv"));
    ASSERT_EQ(cli({QStringLiteral("convert"), ksv, again}).status, 0);
    ASSERT_EQ(cli({QStringLiteral("convert"), ksv, again}).status, 0);
    EXPECT_EQ(cli({QStringLiteral("dump"), again}).out, source.out);
    EXPECT_EQ(workFiles(), (QStringList{QStringLiteral("again.ksv"), QStringLiteral("ode.ksv")}));
    EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(CliDocumentTest, DumpReadsPredecessorContainers) {
    const QString tpm = workPath(QStringLiteral("old.tpm"));
    ASSERT_TRUE(makeZip(tpm, {{"tonePad.xml", "<tonepad><score title=\"Old\"/></tonepad>"},
                              {"tonePad.gfx", companionBytes()}}));
    const CliRun run = cli({QStringLiteral("dump"), tpm});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\"Old\""));
}

TEST_F(CliDocumentTest, BadInputFailsWithTheEditorsMessageAndWritesNothing) {
    const QString midi = workPath(QStringLiteral("song.ksv"));
    writeBytes(midi, QByteArray("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14));
    const QString out = workPath(QStringLiteral("out.ksv"));
    struct Case {
        QStringList args;
        QByteArray message;
    } cases[] = {
        {{QStringLiteral("dump"), midi},
         "This file is not a Keystaves document: it is a standard MIDI file.\n"},
        {{QStringLiteral("convert"), midi, out},
         "This file is not a Keystaves document: it is a standard MIDI file.\n"},
        {{QStringLiteral("convert"), sample, workPath(QStringLiteral("out.txt"))},
         "Error: Invalid File type.\n"},
        {{QStringLiteral("convert"), sample, workPath(QStringLiteral("missing/out.ksv"))},
         "Error saving File\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.status, 1) << c.args.join(u' ').toStdString();
        EXPECT_EQ(run.err, c.message);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(workFiles(), QStringList{QStringLiteral("song.ksv")});
        EXPECT_TRUE(tempFiles().isEmpty());
    }
}

// A MIDI file converts to a document: notes in the hands, the clean-ups when asked for.
TEST_F(CliDocumentTest, ConvertImportsMidiFilesWithTheirCleanUps) {
    const QString midi = QStringLiteral(KS_SOURCE_DIR "/tests/fixtures/midi/format1-piano.mid");
    ASSERT_TRUE(QFileInfo::exists(midi));
    const QString out = workPath(QStringLiteral("imported.ksv"));
    const CliRun run =
        cli({QStringLiteral("convert"), midi, out, QStringLiteral("--remove-overlaps")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const CliRun dump = cli({QStringLiteral("dump"), out});
    ASSERT_EQ(dump.status, 0);
    EXPECT_TRUE(dump.out.contains("\"notes\": ["));
    EXPECT_FALSE(dump.out.contains("\"parts\": [\n        0,\n        0,\n        0,\n        0"));
    const CliRun missing =
        cli({QStringLiteral("convert"), workPath(QStringLiteral("none.mid")), out});
    EXPECT_NE(missing.status, 0);
    EXPECT_TRUE(missing.err.contains("MIDI File Error: Unable to open File"));
}

// Played MIDI files are quantised unless --no-quantise says otherwise.
TEST_F(CliDocumentTest, ConvertQuantisesPlayedMidiFilesByDefault) {
    CMidiFile played;
    played.division = 480;
    CMidiTrack& track = played.tracks.emplace_back();
    const int32_t offsets[] = {3, -5, 7, -2, 4, -6, 5, -3, 2, -4, 6, -7, 3, -2, 5, -5};
    for (int i = 0; i < 16; ++i)
        track.AddNote(std::max(0, i * 480 + offsets[i]), 60 + i % 5, 80, 400 + offsets[i]);
    const QString midi = workPath(QStringLiteral("played.mid"));
    ASSERT_TRUE(played.Write(midi).ok);
    const auto convertWith = [&](const QStringList& options) {
        const QString out = workPath(QStringLiteral("played.ksv"));
        const CliRun run = cli(QStringList{QStringLiteral("convert"), midi, out} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return cli({QStringLiteral("dump"), out}).out;
    };
    const QString byDefault = convertWith({});
    EXPECT_TRUE(byDefault.contains("\"time\": 7200")) << byDefault.left(2000).toStdString();
    EXPECT_EQ(convertWith({QStringLiteral("--quantise")}), byDefault);
    const QString asPlayed = convertWith({QStringLiteral("--no-quantise")});
    EXPECT_NE(asPlayed, byDefault);
    EXPECT_TRUE(asPlayed.contains("\"time\": 7195"));
    const CliRun both = cli({QStringLiteral("convert"), midi, workPath(QStringLiteral("x.ksv")),
                             QStringLiteral("--quantise"), QStringLiteral("--no-quantise")});
    EXPECT_EQ(both.status, 2);
}

TEST_F(CliDocumentTest, ConvertExportsAStandardMidiFile) {
    const QString out = workPath(QStringLiteral("ode.mid"));
    const CliRun run = cli({QStringLiteral("convert"), sample, out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(readBytes(out).startsWith("MThd"));
    // Back in as a document: the two hands again.
    const CliRun back = cli({QStringLiteral("dump"), out});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_TRUE(back.out.contains("\"title\": \"Right Hand\""));
    EXPECT_TRUE(back.out.contains("\"title\": \"Left Hand\""));
}

// A read that ends with an error converts nothing, unless --keep-partial asks for what
// was read before it; that ends with its own status.
TEST_F(CliDocumentTest, ReadsThatEndWithAnErrorFailUnlessPartialResultsAreWanted) {
    const QByteArray firstTrack("MTrk\0\0\0\x0C\0\x90\x3C\x40\x60\x80\x3C\0\0\xFF\x2F\0", 20);
    // The second track announces 4 GB of data that the file does not have.
    const QByteArray secondTrack("MTrk\xFF\xFF\xFF\xFF\0\x90", 10);
    const QString midi = workPath(QStringLiteral("cut.mid"));
    writeBytes(midi, QByteArray("MThd\0\0\0\x06\0\x01\0\x02\0\x60", 14) + firstTrack + secondTrack);
    const QString out = workPath(QStringLiteral("cut.ksv"));
    const QByteArray reasons =
        "MIDI File Error: File Read Error - Track 1\nMIDI File Error: Error Reading File\n";

    for (const QStringList& args : {QStringList{QStringLiteral("convert"), midi, out},
                                    QStringList{QStringLiteral("dump"), midi}}) {
        const CliRun refused = cli(args);
        EXPECT_EQ(refused.status, 1) << args.join(u' ').toStdString();
        EXPECT_EQ(refused.err, reasons +
                                   "The file was not read completely, so nothing was "
                                   "written. Give --keep-partial to convert what was read.\n");
        EXPECT_TRUE(refused.out.isEmpty());
    }
    EXPECT_EQ(workFiles(), QStringList{QStringLiteral("cut.mid")});

    const CliRun kept =
        cli({QStringLiteral("convert"), QStringLiteral("--keep-partial"), midi, out});
    EXPECT_EQ(kept.status, 3);
    EXPECT_EQ(kept.err, reasons);
    const CliRun dumped = cli({QStringLiteral("dump"), out});
    ASSERT_EQ(dumped.status, 0) << dumped.err.toStdString();
    EXPECT_TRUE(dumped.out.contains("\"pitch\": 60")) << dumped.out.toStdString();
}
