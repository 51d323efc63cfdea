// One editor per user: a later copy hands its file to the first and ends.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <thread>

#include "app/ChildFrame.h"
#include "app/KeystaveApp.h"
#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "playback/RecordingDevice.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

QString uniqueName() {
    return QStringLiteral("ks-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

TEST(SingleInstance, NobodyListeningMeansThisIsTheFirstCopy) {
    SingleInstance first(uniqueName());
    EXPECT_FALSE(first.handOver("song.ksv", 200));
    EXPECT_TRUE(first.listen());
    EXPECT_TRUE(first.isListening());
}

TEST(SingleInstance, LaterCopyHandsItsFileOver) {
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy spy(&first, &SingleInstance::fileHandedOver);
    bool taken = false;
    std::thread later([&] { taken = SingleInstance(name).handOver("/tmp/a b/ünïcode.ksv", 3000); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() == 1; }, 5000));
    later.join();
    EXPECT_TRUE(taken);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.front().front().toString(), "/tmp/a b/ünïcode.ksv");
}

TEST(SingleInstance, WithoutFileTheFirstCopyIsAskedToComeForward) {
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QSignalSpy spy(&first, &SingleInstance::fileHandedOver);
    bool taken = false;
    std::thread later([&] { taken = SingleInstance(name).handOver(QString(), 3000); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return spy.count() == 1; }, 5000));
    later.join();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(spy.front().front().toString().isEmpty());
}

TEST(SingleInstance, SecondEditorProcessOpensItsFileInTheFirst) {
    const QString name = uniqueName();
    qputenv("KEYSTAVES_INSTANCE_NAME", name.toLocal8Bit());
    FakeUserInterface ui;
    RecordingDevice device;
    CKeystaveApp app(ui, {.instanceName = name,
                          .splash = false,
                          .showWindow = false,
                          .playback = {.device = &device}});
    ASSERT_TRUE(app.start({}));
    ASSERT_EQ(app.documentCount(), 1);

    // A document on disk for the second copy to name.
    CChildFrame* child = app.frame()->children().front();
    const QString path = QDir(qEnvironmentVariable("KEYSTAVES_TEMP_DIR")).filePath("handed.ksv");
    ASSERT_TRUE(child->document().save(path));

    QProcess later;
    later.start(QStringLiteral(KS_EDITOR_BINARY), {path});
    ASSERT_TRUE(QTest::qWaitFor([&] { return later.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(later.exitCode(), 0);
    // The first copy already shows that file: it comes to the front, no second window.
    EXPECT_EQ(app.documentCount(), 1);

    // Another file opens in the first copy.
    const QString other = QDir(qEnvironmentVariable("KEYSTAVES_TEMP_DIR")).filePath("other.ksv");
    ASSERT_TRUE(child->document().save(other));
    child->document().save(path);  // keep the first name open
    QProcess third;
    third.start(QStringLiteral(KS_EDITOR_BINARY), {other});
    ASSERT_TRUE(QTest::qWaitFor([&] { return third.state() == QProcess::NotRunning; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.documentCount() == 2; }, 2000));
    qunsetenv("KEYSTAVES_INSTANCE_NAME");
}

}  // namespace
