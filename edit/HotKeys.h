// The built-in hot key table: which command a key sends in each view mode and edit
// mode. It is read once from the markup text among the program's resources.
#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <vector>

namespace ks {

namespace KeyModifier {
constexpr int32_t Shift = 1;
constexpr int32_t Ctrl = 2;
constexpr int32_t Alt = 4;
}  // namespace KeyModifier

struct CHotKey {
    int32_t keycode = 0;       // virtual-key code: letters and digits by their character
    int32_t altctrlshift = 0;  // KeyModifier bits
    int32_t viewmode = 0;
    int32_t editmode = 0;  // 0 = any edit mode
    int32_t msgid = 0;     // the command sent

    // Ordered by view mode, edit mode (only when both are non-zero), key, modifiers.
    static int compare(const CHotKey& a, const CHotKey& b);
};

class CHotKeyTable {
  public:
    // Reads the "hotkey" elements of a markup text ("memory" root); equal entries after
    // the first are skipped.
    static CHotKeyTable fromMarkup(QByteArrayView text);
    // The table of the program's resources, read on first use.
    static const CHotKeyTable& builtIn();

    // The command for a key, or 0.
    int32_t lookup(int32_t viewmode, int32_t editmode, int32_t keycode, int32_t modifiers) const;
    const std::vector<CHotKey>& entries() const { return entries_; }

  private:
    std::vector<CHotKey> entries_;  // sorted by CHotKey::compare
};

// The virtual-key code of a Qt key (Qt::Key); `keypad` for keys of the numeric keypad.
// Shifted punctuation of a US keyboard gives the key it is on ('!' gives '1'). 0 when
// the key has no code of its own.
int32_t virtualKeyOf(int qtKey, bool keypad);

}  // namespace ks
