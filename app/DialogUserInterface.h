// The editor's answers to IUserInterface: message boxes, the platform's file and colour
// dialogs, and the desktop's browser.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/UserInterface.h"

namespace ks {

class DialogUserInterface : public IUserInterface {
  public:
    bool askYesNo(int textId, const std::vector<TextArg>& args) override;
    void showMessage(int textId, const std::vector<TextArg>& args) override;
    void showStatus(const QString& text) override;
    QString chooseSavePath(const QString& proposed) override;

    SaveAnswer askSaveChanges(const QString& title) override;
    void setParentWidget(QWidget* parent) override { parent_ = parent; }
    std::optional<OpenFileAnswer> chooseOpenFile(const OpenFileRequest& request) override;
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    void openExternal(const QString& urlOrPath) override;
    bool hasWebBrowser() override;
    bool openWebPage(const QString& address) override;
    bool askForFeedback() override;
    QString chooseExportPath(const QString& proposed, const QString& filter,
                             const QString& defaultExtension) override;
    std::optional<MidiImportOptions> chooseMidiImportOptions(
        const MidiImportOptions& current) override;
    void showError(const QString& title, const QString& message) override;

    // Where status texts go (the main frame's status bar).
    std::function<void(const QString&)> statusSink;

  private:
    QPointer<QWidget> parent_;
};

// Qt's name filters ("Description (*.a *.b)") for a filter text "Description|*.a; *.b|".
QStringList qtNameFilters(const QString& filter);

}  // namespace ks
