// Zoom of a document window: percent of life size, z pixels per inch of page (one page
// unit, a thousandth of an inch, is z / 1000 pixels).
#pragma once

#include <QSize>
#include <optional>

#include "render/layout/PageGeometry.h"

namespace ks {

inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 1000;

// A custom zoom typed by the user: the percentage when it lies within 10..1000.
std::optional<int> validCustomZoom(const QString& typed);

// Any stored zoom brought into the range the view can show.
int clampZoom(int zoom);

// Zoom that fits the page's width (height) into the client area's width (height).
int zoomForPageWidth(int clientWidth, const PageGeometry& page);
int zoomForFullPage(int clientHeight, const PageGeometry& page);

// The zoom after turning the wheel by `angleDelta` (120 a notch, up is positive) with
// Ctrl held: a tenth larger per notch up, smaller per notch down, within the range, and
// never stuck on the same value while there is room.
int wheelZoom(int zoom, int angleDelta);

// The scroll size of one page at zoom z: page width x z / 1000 by page height x z / 1000.
QSize pageScrollSize(const PageGeometry& page, int zoom);

// Page units to pixels and back at zoom z.
int unitsToPixels(int64_t units, int zoom);
int64_t pixelsToUnits(int pixels, int zoom);

}  // namespace ks
