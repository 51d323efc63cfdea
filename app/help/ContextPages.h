// Which page of the manual belongs to what the user is doing: the dialogs that have a
// page of their own, and the changes of the Music mode's editing modes.
#pragma once

#include <QString>

namespace ks {

// The page of a dialog by its class name ("CMidiSettingsDlg"); empty for dialogs
// without a page of their own.
QString dialogHelpPage(const char* className);

// The page to show when the editing mode changes from `from` to `to` within Music
// mode; empty when the page stays as it is.
QString editModeHelpPage(int from, int to);

}  // namespace ks
