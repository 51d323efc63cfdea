// What the view paints of a page: the page itself, then its contents through the
// drawing code.
#pragma once

#include "render/draw/DrawContext.h"

namespace ks {

void paintPageContents(CDrawContext& ctx);

}  // namespace ks
