// The boxes of what a page draws, each with the kind of mark it is, taken from a recording
// of the drawing: the input of the collision audit.
#pragma once

#include <QRect>
#include <QStringList>
#include <vector>

#include "render/surface/RecordingSurface.h"

namespace ks {

struct DrawnBox {
    QString kind;      // "notehead", "stem", "lyric", ... (see drawnKind)
    QRect box;         // the ink's box on the page, in page units
    QStringList path;  // the elements the item was drawn in, outermost first
    QString text;      // the text or glyphs drawn, for reports
};

// The kind of mark a recorded item is, or an empty string for what the audit leaves out:
// stave lines, ledger lines, shading, margins and grid, and curves (ties and phrase marks,
// whose boxes say nothing about where their ink lies).
QString drawnKind(const DrawnItem& item);

// The box of an item's ink: text by its glyphs' outlines rather than its font cell,
// strokes widened by half their pen.
QRect inkBox(const DrawnItem& item);

// Every audited item of a recording as a box with its kind.
std::vector<DrawnBox> drawnBoxes(const std::vector<DrawnItem>& items);

}  // namespace ks
