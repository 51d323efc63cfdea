// Changing the edit mode of a score's selection: each mode keeps the cursor in its own
// shape (a collapsed cursor, the whole pitch range, a re-validated layout line, ...).
#pragma once

#include "model/Score.h"

namespace ks {

// Sets the edit mode; the same mode again does nothing.
void setEditMode(CScore& score, int32_t mode);

}  // namespace ks
