// Rendering an element list as the bytes of a markup file.
#pragma once

#include "storage/MarkupElement.h"

#include <string>
#include <vector>

namespace ks {

struct MarkupRenderResult {
    bool ok = true;
    int failedLine = 0;  // output line of the item that needed 4096 bytes or more
};

// Writes every item as UTF-8 into `out` (replacing its content). Tags are indented by
// two spaces per open start tag when they begin a line; attribute values are written
// with EncodeEntities. Stops at the first item of 4096 bytes or more, which a reader
// could not take back.
MarkupRenderResult renderMarkup(const std::vector<CMarkupElement>& elements, std::string& out);

}  // namespace ks
