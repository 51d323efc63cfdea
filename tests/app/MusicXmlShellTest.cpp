// The MusicXML commands of the editor: "Export as Music XML" asks for a name with its
// filter and writes the file (and the container for ".mxl"); a MusicXML file opens as a
// new document showing both hands.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"
#include "TestPaths.h"

using namespace ks;
using namespace ks::test;

TEST(MusicXmlShell, ExportThenOpenTheExportedFile) {
    StorageSession session{false};
    FakeUserInterface ui;
    QTemporaryDir dir;
    auto child = std::make_unique<CChildFrame>(session, ui);
    ASSERT_TRUE(child->openDocument(
        QStringLiteral(KS_SOURCE_DIR "/resources/samples/twinkle-twinkle.ksv")));
    ASSERT_TRUE(child->commandState(Cmd::ExportMusicXml).has_value());
    ui.exportPath = dir.filePath(QStringLiteral("twinkle.mxl"));
    child->runCommand(Cmd::ExportMusicXml);
    ASSERT_EQ(ui.exportRequests.size(), 1);
    EXPECT_TRUE(ui.exportRequests[0].endsWith(QStringLiteral("twinkle-twinkle.xml|") +
                                              text(MusicXmlStringId::ExportFilter) + QStringLiteral("|xml")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("twinkle.xml"))));
    ASSERT_TRUE(QFileInfo::exists(ui.exportPath));
    EXPECT_TRUE(ui.messages.empty());

    const CScore& original = child->document().score();
    auto opened = std::make_unique<CChildFrame>(session, ui);
    ASSERT_TRUE(opened->openDocument(ui.exportPath));
    const CScore& back = opened->document().score();
    for (int part = 0; part < kPartCount; ++part) {
        const int a = original.trackOfPart(part), b = back.trackOfPart(part);
        ASSERT_EQ(a >= 0, b >= 0) << part;
        if (a >= 0) EXPECT_EQ(back.track(b).title, original.track(a).title);
    }
    EXPECT_FALSE(back.pages.empty());
    EXPECT_EQ(back.title, original.title);
}
