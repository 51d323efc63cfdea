#include "HotKeys.h"

#include <QFile>
#include <Qt>
#include <algorithm>

#include "storage/MarkupFile.h"

namespace ks {

namespace {

int compareInts(int32_t a, int32_t b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

int CHotKey::compare(const CHotKey& a, const CHotKey& b) {
    if (int c = compareInts(a.viewmode, b.viewmode)) return c;
    if (a.editmode != 0 && b.editmode != 0)
        if (int c = compareInts(a.editmode, b.editmode)) return c;
    if (int c = compareInts(a.keycode, b.keycode)) return c;
    return compareInts(a.altctrlshift, b.altctrlshift);
}

CHotKeyTable CHotKeyTable::fromMarkup(QByteArrayView text) {
    CHotKeyTable table;
    CMarkupFile markup;
    markup.Parse(text);
    for (const CMarkupElement& e : markup.elements()) {
        if (e.name != QLatin1String("hotkey") ||
            (e.type != CMarkupElement::kEmptyElement && e.type != CMarkupElement::kStartTag))
            continue;
        CHotKey key;
        if (!CMarkupFile::GetInt(u"keycode", e, key.keycode) ||
            !CMarkupFile::GetInt(u"viewmode", e, key.viewmode) ||
            !CMarkupFile::GetInt(u"msgid", e, key.msgid))
            continue;
        CMarkupFile::GetInt(u"editmode", e, key.editmode);
        CMarkupFile::GetInt(u"altctrlshift", e, key.altctrlshift);
        // Sorted insert; an entry equal to one present is skipped, so the first wins.
        auto it = std::lower_bound(
            table.entries_.begin(), table.entries_.end(), key,
            [](const CHotKey& a, const CHotKey& b) { return CHotKey::compare(a, b) < 0; });
        bool present = false;
        for (auto j = it; j != table.entries_.end() && CHotKey::compare(*j, key) == 0; ++j)
            present |= j->editmode == key.editmode || j->editmode == 0 || key.editmode == 0;
        if (!present) table.entries_.insert(it, key);
    }
    return table;
}

const CHotKeyTable& CHotKeyTable::builtIn() {
    static const CHotKeyTable table = [] {
        QFile file(QStringLiteral(":/keystaves/hotkeys/hotkeys.xml"));
        if (!file.open(QIODevice::ReadOnly)) return CHotKeyTable{};
        return fromMarkup(file.readAll());
    }();
    return table;
}

int32_t CHotKeyTable::lookup(int32_t viewmode, int32_t editmode, int32_t keycode,
                             int32_t modifiers) const {
    const CHotKey probe{keycode, modifiers, viewmode, editmode, 0};
    // Entries of edit mode 0 compare equal to every edit mode, so the range of equal
    // entries is searched for the exact match.
    auto less = [](const CHotKey& a, const CHotKey& b) { return CHotKey::compare(a, b) < 0; };
    auto [first, last] = std::equal_range(entries_.begin(), entries_.end(), probe, less);
    for (auto it = first; it != last; ++it)
        if (it->editmode == editmode || it->editmode == 0) return it->msgid;
    return 0;
}

int32_t virtualKeyOf(int qtKey, bool keypad) {
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
        switch (qtKey) {
            case Qt::Key_Asterisk:
                return 106;
            case Qt::Key_Plus:
                return 107;
            case Qt::Key_Minus:
                return 109;
            case Qt::Key_Period:
                return 110;
            case Qt::Key_Slash:
                return 111;
            case Qt::Key_Enter:
                return 13;
            default:
                break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        case Qt::Key_ParenRight:
            return '0';
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 223;
        default:
            if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
            return 0;
    }
}

}  // namespace ks
