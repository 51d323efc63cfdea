// keystaves-cli convert IN OUT.png: one image per page, headless, at the resolution
// asked for; bad options fail and write nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "PngExport.h"
#include "render/output/PageImage.h"
#include "TestPaths.h"

using namespace ks;

namespace {

struct CliRun {
    int status = -1;
    QByteArray err;
};

// Runs the command with no display and no platform chosen, as on a server.
CliRun runCli(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KS_CLI), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
}

const QString kSample = QStringLiteral(KS_SOURCE_DIR "/resources/samples/ode-to-joy.xml");

}  // namespace

TEST(PngExport, PageNamesAreNumberedFromOne) {
    EXPECT_EQ(cli::pngPagePath(QStringLiteral("/tmp/piano.png"), 1),
              QStringLiteral("/tmp/piano1.png"));
    EXPECT_EQ(cli::pngPagePath(QStringLiteral("a.png"), 12), QStringLiteral("a12.png"));
    EXPECT_EQ(pageImageSize(PageGeometry{.width = 8500, .height = 11000}, 300), QSize(2550, 3300));
    EXPECT_EQ(pageImageSize(PageGeometry{.width = 8268, .height = 11693}, 96), QSize(794, 1123));
}

TEST(PngExport, EveryPageOrOnePageAtTheResolutionAskedFor) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("ode.png"));
    const CliRun all = runCli({QStringLiteral("convert"), kSample, target, QStringLiteral("--dpi"),
                               QStringLiteral("96")});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_TRUE(all.err.isEmpty()) << all.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({QStringLiteral("ode1.png"), QStringLiteral("ode2.png")}));
    const QImage first(dir.filePath(QStringLiteral("ode1.png")));
    EXPECT_EQ(first.size(), QSize(794, 1123));
    EXPECT_EQ(qRound(first.dotsPerMeterX() * 0.0254), 96);
    // The paper is white where nothing is drawn, and the page carries ink.
    EXPECT_EQ(first.pixelColor(2, 2), QColor(Qt::white));
    int dark = 0;
    for (int y = 0; y < first.height(); y += 2)
        for (int x = 0; x < first.width(); x += 2)
            dark += qGray(first.pixel(x, y)) < 100;
    EXPECT_GT(dark, 1000);

    QTemporaryDir one;
    const QString single = one.filePath(QStringLiteral("page.png"));
    ASSERT_EQ(runCli({QStringLiteral("convert"), kSample, single, QStringLiteral("--dpi"),
                      QStringLiteral("150"), QStringLiteral("--page"), QStringLiteral("2")})
                  .status,
              0);
    EXPECT_EQ(QDir(one.path()).entryList(QDir::Files), QStringList({QStringLiteral("page2.png")}));
    EXPECT_EQ(QImage(one.filePath(QStringLiteral("page2.png"))).width(), 1240);
}

TEST(PngExport, BadOptionsFailAndWriteNothing) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.png"));
    struct Case {
        QStringList options;
        int status;
    };
    const Case cases[] = {
        {{}, 2},                               // no resolution
        {{"--dpi"}, 2},                        // no value
        {{"--dpi", "many"}, 2},                // not a number
        {{"--dpi", "5000"}, 1},                // too fine
        {{"--dpi", "96", "--page", "9"}, 1},   // no such page
        {{"--dpi", "96", "--page", "-1"}, 2},  // not a page
    };
    for (const Case& c : cases) {
        const CliRun run =
            runCli(QStringList({QStringLiteral("convert"), kSample, target}) + c.options);
        EXPECT_EQ(run.status, c.status) << c.options.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    const CliRun missing =
        runCli({QStringLiteral("convert"), dir.filePath(QStringLiteral("none.ksv")), target,
                QStringLiteral("--dpi"), QStringLiteral("96")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
