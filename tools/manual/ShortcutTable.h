// The keyboard shortcuts of the manual as an HTML table, made from the program's own
// accelerator table so that the manual and the program cannot disagree.
#pragma once

#include <QString>

namespace ks {

// One row per key of the accelerator table: the key and the menu item it runs.
QString shortcutTableHtml();

}  // namespace ks
