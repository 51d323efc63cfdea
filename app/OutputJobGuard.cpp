#include "app/OutputJobGuard.h"

#include "app/OutputJobTextIds.h"
#include "storage/DocumentPrompts.h"

namespace ks {

bool confirmPageCount(IDocumentPrompts& prompts, int pages) {
    if (pages <= kLargeJobPages) return true;
    return prompts.askYesNo(OutputJobTextId::LargeJobQuestion, {pages});
}

}  // namespace ks
