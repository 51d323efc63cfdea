// Bounds on the pages one print or export job draws, and the progress callback through
// which a long job can be stopped while it runs.
#pragma once

#include <functional>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

// keystaves-cli refuses to draw more pages than this unless told to allow more.
constexpr int kCliPageLimit = 2000;
// The editor asks before it prints or exports more pages than this.
constexpr int kLargeJobPages = 500;

// Told before each page of a job is drawn, with the page's index (from 0) and the
// number of pages of the job; answers false to stop the job before that page.
using PageProgress = std::function<bool(int page, int pages)>;

// Whether the job goes on to page `page`: always without a callback.
inline bool jobGoesOn(const PageProgress& progress, int page, int pages) {
    return !progress || progress(page, pages);
}

// The pages an export of the score on `page` draws, at least one: the score is laid out
// for the export surface first, as the export itself does.
int exportPageCount(CScore& score, const PageGeometry& page);

}  // namespace ks
