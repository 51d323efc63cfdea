#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include "edit/MusicXmlExportCommand.h"
#include "edit/MusicXmlImportCommand.h"
#include "interchange/MusicXmlStringIds.h"
#include "model/StringIds.h"
#include "model/TextTable.h"
#include "render/layout/FullRelayout.h"
#include "storage/StorageSession.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class MusicXmlCommands : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        doc.hooks.importMusicXml = [this](CKeystaveDoc& d, const QString& path) {
            const MusicXmlOpen opened = importMusicXmlDocument(d, path, prompts, {});
            return opened == MusicXmlOpen::Imported ? 1 : opened == MusicXmlOpen::Failed ? 0 : -1;
        };
        doc.hooks.layout = [](CScore& score) { fullRelayout(score, pageGeometryFor({})); };
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = workPath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    ScriptedPrompts prompts;
    StorageSession session{false};
    CKeystaveDoc doc{session, &prompts};
};

const QByteArray kScore =
    "<?xml version=\"1.0\"?><score-partwise version=\"4.0\"><part-list><score-part id=\"P1\">"
    "<part-name>Piano</part-name></score-part></part-list><part id=\"P1\"><measure number=\"1\">"
    "<attributes><divisions>1</divisions><staves>2</staves></attributes>"
    "<note><pitch><step>E</step><octave>5</octave></pitch><duration>4</duration><staff>1</staff>"
    "<notations><fermata/></notations></note><backup><duration>4</duration></backup>"
    "<note><pitch><step>C</step><octave>3</octave></pitch><duration>4</duration><staff>2</staff>"
    "</note></measure></part></score-partwise>";

}  // namespace

TEST_F(MusicXmlCommands, OpenShowsTheHandsAndListsWhatWasLeftOut) {
    ASSERT_TRUE(doc.open(write(QStringLiteral("song.musicxml"), kScore)));
    const CScore& s = doc.score();
    EXPECT_EQ(s.track(s.trackOfPart(Part::RightHand)).notes.at(0).pitch, 76);
    EXPECT_EQ(s.track(s.trackOfPart(Part::LeftHand)).notes.at(0).pitch, 48);
    EXPECT_FALSE(s.pages.empty());  // laid out
    EXPECT_TRUE(doc.isModified());
    ASSERT_EQ(prompts.messageIds.size(), 1u);
    EXPECT_EQ(prompts.messageIds[0], MusicXmlStringId::NotCarriedOver);
    EXPECT_TRUE(prompts.messages[0].contains("fermatas"));
}

TEST_F(MusicXmlCommands, UnreadableFilesKeepTheDocument) {
    ASSERT_TRUE(doc.open(write(QStringLiteral("first.musicxml"), kScore)));
    const int tracks = doc.score().trackCount();
    prompts.messageIds.clear();
    prompts.messages.clear();
    EXPECT_FALSE(doc.open(write(QStringLiteral("broken.xml"), "<score-partwise><part")));
    // A ".xml" file without a MusicXML root is not taken for one.
    EXPECT_FALSE(doc.open(write(QStringLiteral("other.xml"), "<keystaves/>")));
    EXPECT_FALSE(doc.open(write(QStringLiteral("bad.mxl"), "PK\x03\x04 not a zip")));
    EXPECT_EQ(doc.score().trackCount(), tracks);
    ASSERT_EQ(prompts.messageIds.size(), 3u);
    EXPECT_EQ(prompts.messageIds[0], MusicXmlStringId::Malformed);
    EXPECT_TRUE(prompts.messages[0].contains("line")) << prompts.messages[0].toStdString();
    EXPECT_EQ(prompts.messageIds[1], StringId::InvalidFileType);
    EXPECT_EQ(prompts.messageIds[2], MusicXmlStringId::BadContainer);
}

TEST_F(MusicXmlCommands, ExportUsesTheLayoutAndReportsTheOutcome) {
    ASSERT_TRUE(doc.open(write(QStringLiteral("song.musicxml"), kScore)));
    const QString out = workPath(QStringLiteral("out.xml"));
    ASSERT_TRUE(exportMusicXmlDocument(doc.score(), pageGeometryFor({}), out, prompts));
    EXPECT_EQ(prompts.statuses.back(), text(MusicXmlStringId::Exported));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader r(&f);
    int width = 0, notes = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"measure" && width == 0)
            width = r.attributes().value(QLatin1String("width")).toInt();
        if (r.isStartElement() && r.name() == u"note") ++notes;
    }
    EXPECT_FALSE(r.hasError());
    EXPECT_GT(width, 0);  // the laid-out bar's width
    EXPECT_EQ(notes, 2);

    prompts.messageIds.clear();
    EXPECT_FALSE(exportMusicXmlDocument(doc.score(), pageGeometryFor({}),
                                        QStringLiteral("/nonexistent/x.xml"), prompts));
    ASSERT_EQ(prompts.messageIds.size(), 1u);
    EXPECT_EQ(prompts.messageIds[0], MusicXmlStringId::UnableToWrite);
    EXPECT_EQ(proposedMusicXmlPath(QStringLiteral("/a/b/song.ksv"), QStringLiteral("song.ksv")),
              QStringLiteral("/a/b/song.xml"));
}
