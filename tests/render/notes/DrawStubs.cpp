// Test-only stand-in for the bar furniture (clefs, signatures, bar numbers, voltas),
// which DrawLine calls after each bar's bar lines and which another part of the
// drawing code provides. The stave and note tests draw with every furniture switch
// off, so an empty one changes nothing they look at.
#include "render/draw/Drawing.h"

namespace ks {

void DrawBarFurniture(CDrawContext&, int, int) {}

}  // namespace ks
