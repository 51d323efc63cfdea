#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli/CliCommands.h"
#include "TestPaths.h"

using namespace ks;

TEST(ConvertAudio, RendersTheSampleScoreToWav) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ode.WAV"));
    const QString sample = QStringLiteral(KS_SOURCE_DIR "/resources/samples/ode-to-joy.xml");
    ASSERT_EQ(cli::run({QStringLiteral("convert"), sample, out}), 0);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(4), "RIFF");
    EXPECT_GT(f.size(), 44 + 44100 * 4);  // more than a second of sound
}

TEST(ConvertAudio, FailuresLeaveNoFile) {
    QTemporaryDir dir;
    const QString sample = QStringLiteral(KS_SOURCE_DIR "/resources/samples/ode-to-joy.xml");
    const QString missing = dir.filePath(QStringLiteral("missing.ksv"));
    const QString wav = dir.filePath(QStringLiteral("out.wav"));
    EXPECT_NE(cli::run({QStringLiteral("convert"), missing, wav}), 0);
    EXPECT_FALSE(QFile::exists(wav));
    const QString other = dir.filePath(QStringLiteral("out.aiff"));
    EXPECT_NE(cli::run({QStringLiteral("convert"), sample, other}), 0);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_NE(cli::run({QStringLiteral("convert"), sample}), 0);
}
