// The score commands of a document window: bars, tidying, transposing, tracks, phrases,
// stems, the track allocation of Track select mode and the Score and Lyric Settings.
// Each is enabled by what it needs and ends by laying the document out again.
#pragma once

#include <functional>
#include <memory>

#include "app/CommandTarget.h"

class QWidget;

namespace ks {

class CKeystaveDoc;
class IScoreDialogs;
class IUserInterface;

class CScoreEditCommands : public ICommandTarget {
  public:
    // `viewMode` gives the view's mode; `relayout` lays the document out and repaints.
    CScoreEditCommands(CKeystaveDoc& doc, IUserInterface& ui, QWidget* parent,
                       std::function<int()> viewMode, std::function<void()> relayout);
    ~CScoreEditCommands() override;

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    // The dialogs to ask through (tests answer from a script).
    void setDialogs(IScoreDialogs& dialogs) { dialogs_ = &dialogs; }

  private:
    bool run(int id);

    CKeystaveDoc& doc_;
    IUserInterface& ui_;
    std::function<int()> viewMode_;
    std::function<void()> relayout_;
    std::unique_ptr<IScoreDialogs> ownDialogs_;
    IScoreDialogs* dialogs_;
};

}  // namespace ks
