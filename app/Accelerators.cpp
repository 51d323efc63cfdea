#include "app/Accelerators.h"

#include <QAction>
#include <QShortcut>

#include "app/MenuTable.h"

namespace ks {

namespace {

bool inTable(const QKeySequence& keys) {
    for (const Accelerator& a : acceleratorTable())
        if (a.keys == keys) return true;
    return false;
}

}  // namespace

const std::vector<Accelerator>& acceleratorTable() {
    static const std::vector<Accelerator> table = [] {
        std::vector<Accelerator> list;
        auto add = [&list](const char* keys, int command, bool viewKey) {
            const QKeySequence sequence{QString::fromLatin1(keys)};
            for (const Accelerator& a : list)
                if (a.keys == sequence) return;  // an item listed in two menus
            list.push_back({sequence, command, viewKey});
        };
        for (const MenuDef& menu : mainMenus())
            for (const MenuItemDef& item : menu.items) {
                if (item.shortcut) add(item.shortcut, item.command, false);
                if (item.viewKey) add(item.viewKey, item.command, true);
            }
        return list;
    }();
    return table;
}

void releaseProgramKeys(QObject* root) {
    QList<QAction*> actions = root->findChildren<QAction*>();
    if (auto* self = qobject_cast<QAction*>(root)) actions.append(self);
    for (QAction* action : actions) {
        QList<QKeySequence> kept;
        for (const QKeySequence& keys : action->shortcuts())
            if (!inTable(keys)) kept.append(keys);
        if (kept.size() != action->shortcuts().size()) action->setShortcuts(kept);
    }
    for (QShortcut* shortcut : root->findChildren<QShortcut*>())
        if (inTable(shortcut->key())) shortcut->setKey(QKeySequence());
}

}  // namespace ks
