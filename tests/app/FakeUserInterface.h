// A scripted user for the shell's tests: questions get the answers queued (Yes when
// none is queued), messages and opened addresses are recorded, dialogs return what
// the test set.
#pragma once

#include <QStringList>
#include <deque>

#include "app/UserInterface.h"
#include "storage/DocumentPrompts.h"

namespace ks::test {

class FakeUserInterface : public IUserInterface {
  public:
    bool askYesNo(int textId, const std::vector<TextArg>& args) override {
        questions.push_back(textId);
        questionTexts.append(promptText(textId, args));
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showMessage(int textId, const std::vector<TextArg>& args) override {
        messages.push_back(textId);
        messageTexts.append(promptText(textId, args));
    }
    void showStatus(const QString& text) override { statuses.append(text); }
    QString chooseSavePath(const QString& proposed) override {
        saveProposals.append(proposed);
        return savePath;
    }
    SaveAnswer askSaveChanges(const QString&) override { return saveAnswer; }
    void setParentWidget(QWidget*) override {}
    std::optional<OpenFileAnswer> chooseOpenFile(const OpenFileRequest& request) override {
        openRequests.push_back(request);
        return openAnswer;
    }
    std::optional<QColor> chooseColour(const QColor&, const QString&) override { return colour; }
    void openExternal(const QString& address) override { opened.append(address); }
    bool hasWebBrowser() override { return browser; }
    bool openWebPage(const QString& address) override {
        if (!browser) return false;
        opened.append(address);
        return true;
    }
    bool askForFeedback() override {
        ++feedbackAsked;
        return feedbackAnswer;
    }

    QString chooseExportPath(const QString& proposed, const QString& filter,
                             const QString& extension) override {
        exportRequests.append(proposed + u'|' + filter + u'|' + extension);
        return exportPath;
    }
    std::optional<MidiImportOptions> chooseMidiImportOptions(
        const MidiImportOptions& current) override {
        ++importOptionsAsked;
        return importOptions;
    }

    std::deque<bool> answers;
    std::vector<int> questions;
    QStringList questionTexts;
    std::vector<int> messages;
    QStringList messageTexts;
    QStringList statuses;
    QString savePath;
    QStringList saveProposals;
    SaveAnswer saveAnswer = SaveAnswer::Discard;
    std::vector<OpenFileRequest> openRequests;
    std::optional<OpenFileAnswer> openAnswer;
    std::optional<QColor> colour;
    QStringList opened;
    bool browser = true;
    int feedbackAsked = 0;
    bool feedbackAnswer = false;
    QStringList exportRequests;
    QString exportPath;
    int importOptionsAsked = 0;
    std::optional<MidiImportOptions> importOptions = MidiImportOptions{};  // OK
};

}  // namespace ks::test
