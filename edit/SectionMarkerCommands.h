// Section markers in Music mode: the M key adds a marker at the cursor (snapped down to
// a beat) or removes the one standing there; a marker dragged with the mouse snaps the
// same way. The first marker always stands at tick 0.
#pragma once

#include "edit/EditContext.h"

namespace ks {

struct MarkerOutcome {
    bool changed = false;
    int message = 0;  // text id of the refusal to show, 0 = none
};

// Adds or removes the marker at the cursor start, or at the single selected object
// when that is a marker. Undo step "Annotation Editing".
MarkerOutcome toggleSectionMarker(EditContext& ctx);

// Moves the marker at `index` of the annotation track to `tick` snapped down to a beat;
// refused with a message when another marker stands there. Records "Move Item".
MarkerOutcome moveSectionMarker(EditContext& ctx, int index, int32_t tick);

}  // namespace ks
