// The editor started as a test's application: a scripted user, a recording output
// device, a single-instance name of its own, and settings emptied before and after.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QUuid>
#include <algorithm>
#include <memory>

#include "app/AppSettings.h"
#include "app/DefaultSettings.h"
#include "app/KeystaveApp.h"
#include "playback/RecordingDevice.h"
#include "storage/AppPaths.h"
#include "tests/app/FakeUserInterface.h"

namespace ks::test {

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        programSettings()->clear();
        programSettings()->setValue("FirstRun", 1);
        QFile::remove(defaultSettingsPath());
    }
    void TearDown() override {
        app.reset();
        programSettings()->clear();
        QFile::remove(defaultSettingsPath());
    }
    CKeystaveApp& start(QStringList arguments = {}, int64_t now = 0) {
        app = std::make_unique<CKeystaveApp>(
            ui, AppOptions{.instanceName = QStringLiteral("ks-shell-") +
                                           QUuid::createUuid().toString(QUuid::Id128),
                           .splash = false,
                           .showWindow = false,
                           .now = now,
                           .playback = {.device = &device},
                           .versionCheckAtStart = versionCheckAtStart});
        EXPECT_TRUE(app->start(arguments));
        return *app;
    }
    QString tempFile(const QString& name) const { return pathIn(tempFolder(), name); }
    int count(int messageId) const {
        return static_cast<int>(std::count(ui.messages.begin(), ui.messages.end(), messageId));
    }

    FakeUserInterface ui;
    RecordingDevice device;
    bool versionCheckAtStart = false;
    std::unique_ptr<CKeystaveApp> app;
};

}  // namespace ks::test
