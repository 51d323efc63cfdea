// The document view's context menu (right button): the zoom entries in every mode, the
// clipboard and selection commands in Music mode with the note commands when notes are
// selected, and the track allocation in Track select mode. Its items take the normal
// command path.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/MenuTable.h"
#include "edit/NoteLength.h"
#include "edit/SelectionOps.h"
#include "model/TextTable.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The label of a command: its menu item's, else the text of its own id.
QString labelOf(int command) {
    for (const MenuDef& menu : mainMenus())
        for (const MenuItemDef& item : menu.items)
            if (item.command == command && item.label) return text(item.label);
    return text(command);
}

}  // namespace

std::vector<int> CKeystaveView::contextMenuCommands() const {
    std::vector<int> items = {Cmd::Zoom50,        Cmd::Zoom100,      Cmd::Zoom200,   Cmd::Zoom400,
                              Cmd::ZoomPageWidth, Cmd::ZoomFullPage, Cmd::ZoomCustom};
    const CScore& score = doc_.score();
    if (state_.mode == ViewMode::Music) {
        items.insert(items.end(), {0, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditDelete,
                                   Cmd::CopySection, Cmd::ShowClipboard, Cmd::EditSelectAll});
        if (!score.selection.notes.empty())
            items.insert(items.end(), {0, Cmd::AutoNoteLength, Cmd::FlipStems, Cmd::NotesToNextPart,
                                       Cmd::NotesToPreviousPart});
    } else if (state_.mode == ViewMode::TrackSelect) {
        const int t = score.selection.selecttrack;
        if (t >= 0 && t < score.trackCount())
            items.insert(items.end(), {0, Cmd::AllocateRightHand, Cmd::AllocateRightHand + 1,
                                       Cmd::AllocateRightHand + 2, Cmd::AllocateRightHand + 3,
                                       Cmd::AllocateNone});
    }
    return items;
}

void CKeystaveView::contextMenuEvent(QContextMenuEvent* event) {
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    const QPoint u = unitsAt(event->pos());
    if (state_.mode == ViewMode::Music) {
        // A right click outside the selection acts first as a plain click.
        const int32_t t = tickAtUnits(u.x()), p = pitchAtUnits(u.y());
        const bool inside = !s.notes.empty() && t >= s.timestart && t < s.timeend &&
                            p <= s.pitchTop() && p >= s.pitchBottom();
        if (!inside) {
            placeCursorAt(score, TickPitchRect{t, t + 1, p, p}, currentStep(score.ppqn));
            selectionChanged();
        }
    } else if (state_.mode == ViewMode::TrackSelect) {
        // The track under the point becomes the highlighted one, as a click makes it.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(event->pos()),
                          QPointF(event->globalPos()), Qt::RightButton, Qt::RightButton,
                          event->modifiers());
        trackSelectPress(&press);
    }
    QMenu menu(this);
    for (int command : contextMenuCommands()) {
        if (command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(labelOf(command).section(u'\t', 0, 0));
        const CommandState state = commandStateOf
                                       ? commandStateOf(command)
                                       : commandState(command).value_or(CommandState{false});
        action->setEnabled(state.enabled);
        connect(action, &QAction::triggered, this, [this, command] {
            if (sendCommand)
                sendCommand(command);
            else
                runCommand(command);
        });
    }
    menu.exec(event->globalPos());
    event->accept();
}

}  // namespace ks
