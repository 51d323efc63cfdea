// The built-in hot key table: one row per key of every view mode and edit mode that
// the table must answer, and keys it must leave to the cursor keys and typing.
#include <gtest/gtest.h>

#include <Qt>

#include "edit/HotKeys.h"
#include "model/Selection.h"

using namespace ks;

namespace {

struct Row {
    int32_t view, edit;
    int qtKey;
    int32_t mods;
    bool keypad;
    int32_t command;  // 0: the table has no entry, the key falls through
};

constexpr int32_t S = KeyModifier::Shift, C = KeyModifier::Ctrl, CS = S | C;

TEST(HotKeyTable, AnswersEveryModeAndLetsOtherKeysThrough) {
    const CHotKeyTable& table = CHotKeyTable::builtIn();
    ASSERT_EQ(table.entries().size(), 157u);
    const Row rows[] = {
        {1, 0, Qt::Key_G, 0, false, 32793},
        {1, 0, Qt::Key_PageDown, S, false, 32989},
        {1, 0, Qt::Key_PageUp, C, false, 32805},
        {2, 16, Qt::Key_Up, 0, false, 32911},
        {2, 32, Qt::Key_Left, CS, false, 32925},
        {2, 16, Qt::Key_L, CS, false, 33008},
        {2, 16, Qt::Key_Return, 0, false, 32919},
        {3, 1, Qt::Key_A, C, false, 57642},
        {3, 1, Qt::Key_A, 0, false, 32867},
        {3, 1, Qt::Key_Exclam, S, false, 32869},
        {3, 1, Qt::Key_Percent, S, false, 32873},
        {3, 1, Qt::Key_Plus, S, false, 32777},
        {3, 1, Qt::Key_Plus, S, true, 32777},
        {3, 1, Qt::Key_Underscore, S, false, 32778},
        {3, 1, Qt::Key_Apostrophe, 0, false, 32877},
        {3, 1, Qt::Key_ParenLeft, S, false, 32953},
        {3, 1, Qt::Key_Insert, 0, false, 32952},
        {3, 1, Qt::Key_I, C, false, 32952},
        {3, 1, Qt::Key_BracketLeft, 0, false, 32839},
        {3, 1, Qt::Key_Space, 0, false, 32941},
        {3, 1, Qt::Key_6, 0, false, 32966},
        {3, 1, Qt::Key_7, 0, true, 32960},
        {3, 1, Qt::Key_0, 0, true, 32969},
        {3, 1, Qt::Key_PageDown, C, false, 32797},
        {3, 3, Qt::Key_Escape, 0, false, 32876},
        {3, 3, Qt::Key_A, 0, false, 0},
        {3, 4, Qt::Key_Space, 0, false, 32890},
        {3, 4, Qt::Key_Right, C, false, 32892},
        {3, 4, Qt::Key_L, 0, false, 0},
        {3, 5, Qt::Key_Up, CS, false, 32979},
        {3, 5, Qt::Key_Delete, C, false, 32986},
        {3, 5, Qt::Key_Insert, 0, false, 32985},
        {3, 6, Qt::Key_Apostrophe, 0, false, 32878},
        {3, 6, Qt::Key_Delete, 0, false, 32799},
        {3, 6, Qt::Key_Down, CS, false, 32901},
        {5, 128, Qt::Key_Down, 0, false, 32945},
        {5, 128, Qt::Key_PageUp, S, false, 32988},
        // Left to the cursor keys, Delete and typing.
        {3, 1, Qt::Key_Left, 0, false, 0},
        {3, 1, Qt::Key_Up, C, false, 0},
        {3, 1, Qt::Key_Delete, 0, false, 0},
        {3, 1, Qt::Key_8, 0, false, 0},
        {1, 0, Qt::Key_A, 0, false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "view " << r.view << " edit " << r.edit << " key 0x"
                                        << std::hex << r.qtKey << " mods " << r.mods);
        EXPECT_EQ(table.lookup(r.view, r.edit, virtualKeyOf(r.qtKey, r.keypad), r.mods), r.command);
    }
}

TEST(HotKeyTable, TheFirstOfEqualEntriesWinsAndAnyEditModeMatches) {
    const CHotKeyTable table = CHotKeyTable::fromMarkup(
        "<memory><hotkeys count=\"3\"><comment text=\"x\"/>"
        "<hotkey keycode=\"65\" viewmode=\"3\" editmode=\"0\" msgid=\"1\" comment=\"\"/>"
        "<hotkey keycode=\"65\" viewmode=\"3\" editmode=\"4\" msgid=\"2\"/>"
        "<hotkey keycode=\"65\" viewmode=\"3\" editmode=\"0\" altctrlshift=\"2\" msgid=\"3\"/>"
        "</hotkeys></memory>");
    EXPECT_EQ(table.entries().size(), 2u);
    EXPECT_EQ(table.lookup(3, 4, 65, 0), 1);
    EXPECT_EQ(table.lookup(3, 1, 65, 2), 3);
    EXPECT_EQ(table.lookup(2, 1, 65, 0), 0);
}

}  // namespace
