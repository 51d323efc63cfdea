#include "PrintMargins.h"

#include <algorithm>

namespace ks {

MarginCorrection correctForPrintableArea(const PageGeometry& page,
                                         const UnprintableStrips& strips) {
    MarginCorrection result{page, false};
    const auto raise = [&](int32_t& margin, int32_t strip) {
        if (margin >= strip) return;
        margin = strip;
        result.raised = true;
    };
    raise(result.page.marginLeft, std::max(strips.left, 0));
    raise(result.page.marginTop, std::max(strips.top, 0));
    raise(result.page.marginRight, std::max(strips.right, 0));
    raise(result.page.marginBottom, std::max(strips.bottom, 0));
    return result;
}

int printedPageIndex(int printedPage, int pageCount) {
    if (pageCount <= 1 || printedPage <= 1) return 0;
    return std::min(printedPage, pageCount) - 1;
}

}  // namespace ks
