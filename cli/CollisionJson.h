// The collision audit of every page of a laid-out score as JSON, for
// `keystaves-cli layout FILE --collisions`.
#pragma once

#include <QJsonObject>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

// {"pages": [{"page": 1, "collisions": [{"first": {...}, "second": {...}}]}],
//  "counts": {"kind/kind": n}, "total": n}; each box as kind, text, element path and
// [left, top, width, height] in page units.
QJsonObject collisionsToJson(const CScore& score, const PageGeometry& page);

}  // namespace ks
