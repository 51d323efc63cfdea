// Reading and writing MIDI files on disk, and a check with an independent reader.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SmfBytes.h"
#include "interchange/MidiStringIds.h"
#include "model/TextTable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

namespace {

CMidiFile sampleFile() {
    CMidiFile file;
    file.division = 96;
    file.addTimeSig({0, 4, 4});
    CMidiTrack& right = file.tracks.emplace_back();
    right.name = "Right";
    right.channel = 0;
    // A repeated note at one tick: the release comes before the new strike.
    right.AddNote(0, 72, 100, 96);
    right.AddNote(96, 72, 90, 96);
    right.AddNote(96, 76, 80, 192);
    file.tracks.emplace_back();  // no events
    CMidiTrack& left = file.tracks.emplace_back();
    left.name = "Left";
    left.channel = 1;
    left.AddNote(0, 48, 64, 384);
    left.AddNote(384, 43, 127, 1 << 20);
    return file;
}

TEST(MidiFileIo, WriteThenReadFromDisk) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.mid");
    const CMidiFile file = sampleFile();
    MidiResult written = file.Write(path);
    ASSERT_TRUE(written.ok);
    EXPECT_TRUE(written.messages.isEmpty());

    CMidiFile back;
    MidiResult read = back.Read(path);
    ASSERT_TRUE(read.ok) << read.messages.join(" | ").toStdString();
    ASSERT_EQ(back.tracks.size(), 3u);
    EXPECT_EQ(back.tracks[1].events.items(), file.tracks[0].events.items());
    EXPECT_EQ(back.tracks[2].events.items(), file.tracks[2].events.items());

    // Writing again replaces the file and leaves nothing else in the folder.
    CMidiFile other;
    other.tracks.emplace_back().AddNote(0, 60, 1, 1);
    ASSERT_TRUE(other.Write(path).ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.mid"});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), other.toBytes());
}

TEST(MidiFileIo, FailuresToOpenOrCreate) {
    QTemporaryDir dir;
    const QString unableToOpen = text(MidiStringId::UnableToOpen);
    for (const QString& path :
         {dir.filePath("missing.mid"), dir.path(), QStringLiteral("/dev/zero")}) {
        CMidiFile file;
        file.tracks.emplace_back();
        MidiResult result = file.Read(path);
        EXPECT_FALSE(result.ok) << path.toStdString();
        EXPECT_EQ(result.messages, QStringList{unableToOpen}) << path.toStdString();
        EXPECT_TRUE(file.tracks.empty());
    }

    const QString unableToCreate = text(MidiStringId::UnableToCreate);
    const QString inMissingFolder = dir.filePath("no/such/folder/out.mid");
    EXPECT_EQ(sampleFile().Write(inMissingFolder).messages, QStringList{unableToCreate});
    EXPECT_FALSE(QFile::exists(inMissingFolder));
    // A folder in the way is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.mid"));
    EXPECT_FALSE(sampleFile().Write(dir.filePath("taken.mid")).ok);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.mid")).isDir());
}

TEST(MidiFileIo, AnEmptyFileIsAnIncompleteFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.mid");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    CMidiFile file;
    EXPECT_EQ(file.Read(path).messages, QStringList{text(MidiStringId::ErrorReading)});
}

// mido, an independent reader, finds the same notes in a file we wrote.
TEST(MidiFileIo, AnIndependentReaderSeesTheSameNotes) {
    QProcess probe;
    probe.start("/usr/bin/python3", {"-c", "import mido"});
    if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        GTEST_SKIP() << "python3-mido is not installed";

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.mid");
    const CMidiFile file = sampleFile();
    ASSERT_TRUE(file.Write(path).ok);

    QStringList expected{"1 3 96"};  // format 1, tempo track + two tracks with notes
    int index = 0;
    for (const CMidiTrack& track : file.tracks) {
        if (track.events.empty()) continue;
        ++index;
        for (const CMidiEvent& e : track.events)
            expected << QStringLiteral("%1 %2 %3 %4 %5 %6")
                            .arg(index)
                            .arg(e.time)
                            .arg((e.status & 0xF0) == 0x90 ? "note_on" : "note_off")
                            .arg(e.status & 0x0F)
                            .arg(e.data[0])
                            .arg(e.data[1]);
    }

    QProcess mido;
    mido.start("/usr/bin/python3", {KS_SOURCE_DIR "/tests/interchange/mido_notes.py", path});
    ASSERT_TRUE(mido.waitForFinished(60000));
    ASSERT_EQ(mido.exitCode(), 0) << mido.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(mido.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines, expected);
}

}  // namespace
