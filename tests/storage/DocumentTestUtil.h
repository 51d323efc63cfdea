// Helpers for document tests: a scripted stand-in for the editor's message boxes, and a
// fixture that gives each test its own temporary folder, data folder and settings.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <deque>

#include "MarkupTestUtil.h"
#include "storage/DocumentPrompts.h"
#include "storage/ScoreWriter.h"

namespace ks::test {

class ScriptedPrompts : public IDocumentPrompts {
  public:
    std::deque<bool> answers;  // answers to questions in turn; No when they run out
    std::vector<int> questions;
    std::vector<int> messageIds;
    QStringList messages;  // formatted texts of the messages shown
    QStringList statuses;
    QString savePath;  // what "Save As" chooses; empty cancels
    int savePathRequests = 0;

    bool askYesNo(int textId, const std::vector<TextArg>&) override {
        questions.push_back(textId);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessage(int textId, const std::vector<TextArg>& args) override {
        messageIds.push_back(textId);
        messages.append(promptText(textId, args));
    }
    void showStatus(const QString& text) override { statuses.append(text); }
    QString chooseSavePath(const QString&) override {
        ++savePathRequests;
        return savePath;
    }
};

// Each test gets empty temporary and data folders and its own settings file.
class IsolatedStorageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid() && data.isValid() && settings.isValid() && work.isValid());
        qputenv("KEYSTAVES_TEMP_DIR", temp.path().toUtf8());
        qputenv("KEYSTAVES_DATA_DIR", data.path().toUtf8());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    }
    void TearDown() override {
        qunsetenv("KEYSTAVES_TEMP_DIR");
        qunsetenv("KEYSTAVES_DATA_DIR");
    }

    // The names in a folder, sorted.
    static QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    QStringList tempFiles() const { return filesIn(temp.path()); }
    QStringList workFiles() const { return filesIn(work.path()); }
    QString workPath(const QString& name) const { return work.filePath(name); }

    QTemporaryDir temp;      // the program's temporary folder
    QTemporaryDir data;      // the program's data folder
    QTemporaryDir settings;  // where settings files go
    QTemporaryDir work;      // where a test keeps its documents
};

inline bool looksLikeZipFile(const QString& path) {
    return readBytes(path).startsWith("PK\x03\x04");
}

// The current-format document the writer makes for a score: two scores with the same
// bytes hold the same content.
inline QByteArray documentBytes(const CScore& score) {
    CMarkupFile file;
    ScoreWriter(file).writeScore(score);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("score.xml"));
    return file.Save(path) ? readBytes(path) : QByteArray();
}

}  // namespace ks::test
