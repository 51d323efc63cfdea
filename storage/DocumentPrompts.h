// IDocumentPrompts: the questions and messages a document puts to the user. The editor
// answers with message boxes and dialogs; tests answer from a script.
#pragma once

#include <QString>
#include <vector>

#include "model/TextFormat.h"

namespace ks {

class IDocumentPrompts {
  public:
    virtual ~IDocumentPrompts() = default;
    // A Yes/No question: the text `textId` formatted with `args`. True for Yes.
    virtual bool askYesNo(int textId, const std::vector<TextArg>& args) = 0;
    // A message box with the text `textId` formatted with `args`.
    virtual void showMessage(int textId, const std::vector<TextArg>& args) = 0;
    // A text in the main window's status area.
    virtual void showStatus(const QString& text) = 0;
    // The file name to save a document under ("Save As"); empty when cancelled.
    virtual QString chooseSavePath(const QString& currentPath) = 0;
};

// The text a prompt shows.
QString promptText(int textId, const std::vector<TextArg>& args);

}  // namespace ks
