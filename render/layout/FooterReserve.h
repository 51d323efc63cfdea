// Footer reserve: the room kept free above the bottom of every page for the footer
// texts (running title, page number, copyright).
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// round(4u) for a running title or page numbers; round((10 - textoffset3) u) for a
// copyright line; otherwise 0. Never negative, so lines never run past the bottom
// margin.
int32_t footerReserve(const CScore& score, double u);

}  // namespace ks
