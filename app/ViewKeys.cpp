// The keys of the document view: the built-in hot key table, which sends commands, and
// typing in the edit modes that take text (annotations, lyrics, tempo marks) or Delete.
#include <QKeyEvent>

#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "edit/EditModes.h"
#include "edit/HotKeys.h"
#include "edit/SelectionOps.h"
#include "edit/TextTyping.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

bool isReturn(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The printable text a key produces; Ctrl+Space gives a space.
QString typedText(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) return QStringLiteral(" ");
    QString text = event->text();
    text.removeIf([](QChar c) { return !c.isPrint(); });
    return text;
}

}  // namespace

bool CKeystaveView::hotKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    const int32_t vk = virtualKeyOf(event->key(), m & Qt::KeypadModifier);
    if (vk == 0) return false;
    int32_t mods = 0;
    if (m & Qt::ShiftModifier) mods |= KeyModifier::Shift;
    if (m & Qt::ControlModifier) mods |= KeyModifier::Ctrl;
    if (m & Qt::AltModifier) mods |= KeyModifier::Alt;
    const int32_t command =
        CHotKeyTable::builtIn().lookup(state_.mode, doc_.score().selection.mode, vk, mods);
    if (command == 0) return false;
    // A command no target runs leaves the key to the view's other keys.
    hotKeyModifiers_ = m;
    bool ran = false;
    if (sendCommand) {
        ran = sendCommand(command);
    } else if (const std::optional<CommandState> state = commandState(command);
               state && state->enabled) {
        runCommand(command);
        ran = true;
    }
    hotKeyModifiers_ = {};
    return ran;
}

bool CKeystaveView::typingKey(QKeyEvent* event) {
    if (state_.mode != ViewMode::Music) return false;
    CScore& score = doc_.score();
    CSelection& s = score.selection;
    EditContext ctx{score, doc_.history()};
    const int key = event->key();
    const Qt::KeyboardModifiers m = event->modifiers();
    const bool ctrl = m & Qt::ControlModifier, shift = m & Qt::ShiftModifier;
    if (m & Qt::AltModifier) return false;
    auto done = [this](EditOutcome outcome) {
        afterEdit(static_cast<int>(outcome));
        return true;
    };
    if (key == Qt::Key_Delete && !ctrl) {
        deleteSelection();
        return true;
    }
    switch (s.mode) {
        case EditMode::Annotation:
            if (isReturn(key)) {
                if (ctrl) {
                    chooseAnnotationFont();
                    return true;
                }
                setEditMode(score, EditMode::Notes);
                selectAtCursor(score, false);
                return done(EditOutcome::Selection);
            }
            if (key == Qt::Key_Backspace)
                return done(ctrl ? resetAnnotationPosition(ctx) : annotationBackspace(ctx));
            if (ctrl) return false;
            if (const QString text = typedText(event); !text.isEmpty())
                return done(typeAnnotation(ctx, text));
            return false;
        case EditMode::Lyric:
            if (key == Qt::Key_Backspace) return done(lyricBackspace(ctx));
            if (key == Qt::Key_Minus) {
                typeLyric(ctx, QStringLiteral("-"));
                if (!ctrl && !shift) lyricStepNote(score, +1);
                return done(EditOutcome::Score);
            }
            if (ctrl && key != Qt::Key_Space) return false;
            if (const QString text = typedText(event); !text.isEmpty())
                return done(typeLyric(ctx, text));
            return false;
        case EditMode::TempoMark:
            if (isReturn(key)) return done(finishTempo(score));
            if (key == Qt::Key_Backspace) return done(tempoBackspace(ctx));
            if (key >= Qt::Key_0 && key <= Qt::Key_9)
                return done(typeTempoDigit(ctx, QChar(u'0' + (key - Qt::Key_0))));
            return true;  // other keys are ignored while the value is typed
        default:
            return false;
    }
}

}  // namespace ks
