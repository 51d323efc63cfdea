// The keys and letters of the menus: every key of the accelerator table reaches exactly
// its own command in an editor with documents open (no document window's own menu takes
// one), the view's own keys reach the view, and no menu has two items on one letter.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTest>

#include "app/Accelerators.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/MenuTable.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/ShellFixture.h"

using namespace ks;
using namespace ks::test;

namespace {

// Takes every shortcut event an action or shortcut object receives, so that no command
// runs, and notes who got it.
class ShortcutRecorder : public QObject {
  public:
    struct Hit {
        QObject* receiver;
        bool ambiguous;
    };
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) return false;
        hits.push_back({watched, static_cast<QShortcutEvent*>(event)->isAmbiguous()});
        return true;
    }
    std::vector<Hit> hits;
};

class Accelerators : public Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        start();
        app->newDocument();  // two document windows, each with its own window menu
    }
};

TEST_F(Accelerators, EveryKeyOfTheTableHasOneOwner) {
    CMainFrame& frame = *app->frame();
    frame.resize(1000, 700);
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CKeystaveView& view = *frame.activeView();
    view.viewport()->setFocus();
    int toggles = 0, stops = 0;
    view.togglePlayback = [&] { ++toggles; };
    view.stopPlayback = [&] { ++stops; };

    ShortcutRecorder recorder;
    const QList<QAction*> actions = frame.findChildren<QAction*>();
    for (QAction* action : actions)
        action->installEventFilter(&recorder);
    for (QShortcut* shortcut : frame.findChildren<QShortcut*>())
        shortcut->installEventFilter(&recorder);

    ASSERT_FALSE(acceleratorTable().empty());
    for (const Accelerator& a : acceleratorTable()) {
        const std::string keys = a.keys.toString().toStdString();
        // Whatever the command's state, only its owner may answer.
        for (QAction* action : actions)
            action->setEnabled(true);
        recorder.hits.clear();
        const int togglesBefore = toggles, stopsBefore = stops;
        QTest::keySequence(view.viewport(), a.keys);
        if (a.viewKey) {
            EXPECT_TRUE(recorder.hits.empty()) << keys;
            EXPECT_EQ(toggles - togglesBefore + stops - stopsBefore, 1) << keys;
            continue;
        }
        ASSERT_EQ(recorder.hits.size(), 1u) << keys;
        EXPECT_FALSE(recorder.hits[0].ambiguous) << keys;
        auto* owner = qobject_cast<QAction*>(recorder.hits[0].receiver);
        ASSERT_NE(owner, nullptr) << keys;
        EXPECT_EQ(owner->data().toInt(), a.command) << keys;
    }
    EXPECT_EQ(toggles, 1);  // Tab
    EXPECT_EQ(stops, 1);    // Space
}

TEST_F(Accelerators, PageWidthAndThePlayKeysAreShownInTheMenus) {
    CMainFrame& frame = *app->frame();
    EXPECT_EQ(frame.action(Cmd::ZoomPageWidth)->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_TRUE(frame.action(Cmd::Play)->text().endsWith(u"\tTab"));
    EXPECT_TRUE(frame.action(Cmd::Stop)->text().endsWith(u"\tSpace"));
    // The document windows' Close keeps a key of its own that is not ours.
    for (CChildFrame* child : frame.children())
        for (QAction* action : child->findChildren<QAction*>())
            EXPECT_FALSE(action->shortcuts().contains(QKeySequence("Ctrl+W")));
}

QChar mnemonicOf(const QString& label) {
    for (qsizetype i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != u'&') continue;
        if (label[i + 1] == u'&') {
            ++i;
            continue;
        }
        return label[i + 1].toLower();
    }
    return {};
}

TEST(Mnemonics, NoTwoItemsOfAMenuShareALetter) {
    QStringList titles;
    for (const MenuDef& menu : mainMenus()) {
        titles.append(text(menu.title));
        // The items of the menu and of each of its submenus, each list on its own.
        std::vector<QStringList> lists(1);
        int depth = 0;
        std::vector<QStringList> open;
        for (const MenuItemDef& item : menu.items) {
            if (item.command == -1) {
                lists.back().append(text(item.label));  // the submenu's own entry
                open.push_back(QStringList());
                ++depth;
                continue;
            }
            if (item.command == -2) {
                lists.push_back(open.back());
                open.pop_back();
                --depth;
                continue;
            }
            if (item.command <= 0 || item.label == 0) continue;
            (depth > 0 ? open.back() : lists.front()).append(text(item.label));
        }
        for (const QStringList& labels : lists) {
            QHash<QChar, QString> used;
            for (const QString& label : labels) {
                // A few texts of the program's own have no letter at all.
                const QChar letter = mnemonicOf(label);
                if (letter.isNull()) continue;
                EXPECT_FALSE(used.contains(letter))
                    << label.toStdString() << " and " << used.value(letter).toStdString();
                used.insert(letter, label);
            }
        }
    }
    // The menu bar: the Page and Layout menus are never shown together, but each is
    // shown with all the others.
    QHash<QChar, QString> used;
    for (const QString& title : titles) {
        const QChar letter = mnemonicOf(title);
        ASSERT_FALSE(letter.isNull()) << title.toStdString();
        EXPECT_FALSE(used.contains(letter))
            << title.toStdString() << " and " << used.value(letter).toStdString();
        used.insert(letter, title);
    }
}

}  // namespace
