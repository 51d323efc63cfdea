// The layout JSON of the sample scores stays as recorded. The golden files were
// checked by hand against the rules (title room, stave heights, prefixes, the short
// last line) when recorded; set KS_UPDATE_GOLDEN=1 to record them again after an
// intended change.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>

#include "LayoutJson.h"
#include "model/StringIds.h"
#include "TestPaths.h"

using namespace ks;

namespace {

void expectGolden(const QString& sample, bool music, const QString& golden) {
    QJsonObject json;
    int messageId = 0;
    ASSERT_TRUE(layoutDocumentToJson(QStringLiteral(KS_SOURCE_DIR "/resources/samples/") + sample,
                                     music, json, messageId));
    const QByteArray text = QJsonDocument(json).toJson(QJsonDocument::Indented);
    const QString path = QStringLiteral(KS_SOURCE_DIR "/tests/render/golden/") + golden;
    QFile file(path);
    if (qEnvironmentVariableIsSet("KS_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(text, file.readAll()) << golden.toStdString();
}

}  // namespace

TEST(LayoutJson, SampleScoresMatchTheirGoldenFiles) {
    expectGolden(QStringLiteral("ode-to-joy.xml"), false, QStringLiteral("ode-to-joy.layout.json"));
    expectGolden(QStringLiteral("ode-to-joy.xml"), true, QStringLiteral("ode-to-joy.music.json"));
}

TEST(LayoutJson, UnreadableDocumentReportsTheMessage) {
    QJsonObject json;
    int messageId = 0;
    EXPECT_FALSE(
        layoutDocumentToJson(QStringLiteral("/nonexistent/score.ksv"), false, json, messageId));
    EXPECT_EQ(messageId, StringId::UnableToOpenFile);
    EXPECT_TRUE(json.isEmpty());
}

TEST(LayoutJson, RecordsCarryEveryField) {
    const QJsonObject line = lineToJson(CScoreLine{});
    EXPECT_EQ(line.size(), 23);
    EXPECT_EQ(line.value("yt").toInt(), kLineYtUnset);
    EXPECT_EQ(line.value("size").toDouble(), 1.0);
    CScoreBar bar;
    bar.spacing.Add(CSpacing{.tick = 5, .duration = 6, .position = 7, .drawnX = 8});
    const QJsonObject json = barToJson(bar);
    EXPECT_EQ(json.size(), 20);
    EXPECT_EQ(json.value("spacing")[0].toObject(),
              (QJsonObject{{"tick", 5}, {"duration", 6}, {"position", 7}, {"drawnX", 8}}));
}
