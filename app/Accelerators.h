// The program's accelerator table: every key that runs a command, with its one owner.
// Most keys belong to the command actions of the main frame (from the menu table); a
// few the document view handles itself (Tab plays or stops, Space stops). No other
// action or shortcut of a window may answer to any of them, so the frame takes the
// table's keys away from whatever Qt adds (a document window's Close on Ctrl+W).
#pragma once

#include <QKeySequence>
#include <vector>

class QObject;

namespace ks {

struct Accelerator {
    QKeySequence keys;
    int command = 0;
    bool viewKey = false;  // handled by the document view, shown beside the menu item
};

// The whole table, in menu order.
const std::vector<Accelerator>& acceleratorTable();

// Takes every key of the table away from the actions and shortcuts under `root`
// (the window itself included); the frame's command actions are not under a document
// window, so nothing of ours loses its key.
void releaseProgramKeys(QObject* root);

}  // namespace ks
