// The guard before a print or export job: a job of many pages runs only when the user
// says so, since it may take long and make large files.
#pragma once

#include "render/output/PageJob.h"

namespace ks {

class IDocumentPrompts;

// Asks whether to go on when the job draws more than kLargeJobPages pages; true when it
// is smaller or the user agreed.
bool confirmPageCount(IDocumentPrompts& prompts, int pages);

}  // namespace ks
