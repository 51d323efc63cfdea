// Commands travel by id from a menu, accelerator or toolbar button to the first target
// that handles them: the active view, its document, the main frame, the application.
#pragma once

#include <QString>
#include <optional>

namespace ks {

struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool checkable = false;
    QString text;  // a menu text of its own (the Undo item); empty keeps the label
};

class ICommandTarget {
  public:
    virtual ~ICommandTarget() = default;
    // The state of a command this target handles; nothing when it does not handle it.
    virtual std::optional<CommandState> commandState(int id) = 0;
    // Runs a command this target handles and that is enabled.
    virtual void runCommand(int id) = 0;
};

}  // namespace ks
