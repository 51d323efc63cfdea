// Scores and drawing helpers for the stave and note drawing tests: the plain layout of
// LayoutTestUtil.h with a music font whose unit is exactly 60 page units (fontsize 108),
// so stave positions are whole multiples of 60 and easy to work out by hand.
#pragma once

#include <QImage>
#include <initializer_list>
#include <memory>

#include "../LayoutTestUtil.h"
#include "model/Score.h"
#include "render/layout/FullRelayout.h"
#include "render/draw/DrawContext.h"
#include "render/draw/Drawing.h"
#include "render/surface/RecordingSurface.h"

namespace ks::test {

constexpr int kFontSize = 108;
constexpr int kUnit = 60;

// plainScore with the drawing font size and unit, black and white; `parts` lists the parts that
// keep a track (the others are emptied). Not laid out yet.
CScore drawingScore(int bars, std::initializer_list<TestNote> notes,
                    std::initializer_list<int> parts = {0, 1, 2, 3});

// Full relayout on A4.
void layOut(CScore& score);

// Draws DrawLine (and DrawChords when `chords`) of every line on the view's page.
std::unique_ptr<RecordingSurface> record(const CScore& score, const CViewState& view = {},
                                         bool chords = true,
                                         CSurface::Kind kind = CSurface::Kind::Export,
                                         QRect visible = {});

// The page drawn through the QPainter back end into an image at `dpi`.
QImage renderPage(const CScore& score, int dpi, const CViewState& view = {});

// y of a pitch on a line of a laid-out score.
int32_t yOf(const CScore& score, int line, int32_t pitch);

// Items of a type whose element is exactly "kind index".
std::vector<DrawnItem> inElement(const RecordingSurface& s, DrawnItem::Type type,
                                 const QString& element);

// Horizontal lines (from.y == to.y) drawn at y.
std::vector<DrawnItem> horizontalsAt(const RecordingSurface& s, int32_t y,
                                     const QString& elementKind = {});

}  // namespace ks::test
