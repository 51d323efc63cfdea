// How the editing dialogs tell the user why they stay open: a message box by default;
// tests replace it to read the message instead.
#pragma once

#include <functional>

class QWidget;

namespace ks {

// Shows the text `textId` over `parent`.
using DialogMessage = std::function<void(QWidget* parent, int textId)>;

// The message box the dialogs use unless told otherwise.
DialogMessage defaultDialogMessage();

}  // namespace ks
