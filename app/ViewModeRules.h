// The texts and pages that go with the view and edit modes.
#pragma once

#include <QString>

namespace ks {

// The mode pane: "      Page Mode", "    Layout Mode", "   Track Select", and in Music
// mode by edit mode ("Annotation Mode", "     Lyric Mode", ... "     Music Mode").
QString modePaneText(int viewMode, int editMode);

// The help page shown on entering a view mode.
QString helpPageFor(int viewMode);

}  // namespace ks
