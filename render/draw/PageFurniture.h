// The page furniture: title and subtitle boxes, copyright, artist, page numbers, file
// name and running title; and, on screen only, the margin lines of Layout mode and the
// grid.
#pragma once

#include <QStringList>

#include "render/draw/DrawContext.h"

namespace ks {

// Element indexes of the page texts (element kind "text").
namespace PageText {
constexpr int Title = 0;
constexpr int Subtitle = 1;
constexpr int Copyright = 2;
constexpr int Artist = 3;
constexpr int PageNumber = 4;
constexpr int FileName = 5;
constexpr int RunningTitle = 6;
}  // namespace PageText

// The lines of a text box: its text split at "|" and at line breaks.
QStringList textBoxLines(const CTextBox& box);

// The title and subtitle boxes as drawn: the score's title or subtitle when the box has
// no text of its own, and the page's margins when it has no width. A title box never
// placed in Layout mode takes the room the page layout keeps for it (24 units, or its
// text when taller) below the top margin; an unplaced subtitle follows the title box.
CTextBox drawnTitleBox(const CDrawContext& ctx);
CTextBox drawnSubtitleBox(const CDrawContext& ctx);

// Screen only: the margin lines of Layout mode and the grid.
void drawScreenGuides(CDrawContext& ctx);

// Titles (first page), copyright, artist and the footer texts of the page being drawn.
void drawPageFurniture(CDrawContext& ctx);

}  // namespace ks
