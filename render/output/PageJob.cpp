#include "PageJob.h"

#include <algorithm>

#include "render/output/PageImage.h"

namespace ks {

int exportPageCount(CScore& score, const PageGeometry& page) {
    layoutForExport(score, page);
    return std::max(1, static_cast<int>(score.pages.size()));
}

}  // namespace ks
