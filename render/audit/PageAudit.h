// The collision audit of a laid-out score's pages, drawn as the export draws them.
#pragma once

#include "model/Score.h"
#include "render/audit/CollisionAudit.h"
#include "render/layout/PageGeometry.h"

namespace ks {

std::vector<Collision> auditPage(const CScore& score, const PageGeometry& page, int pageIndex);

}  // namespace ks
