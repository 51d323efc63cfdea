// One item of a markup file's flat element list.
#pragma once

#include "storage/MarkupParameter.h"

#include <QString>
#include <vector>

namespace ks {

struct CMarkupElement {
    // Item kinds, as stored in `type`.
    enum : int {
        kDeclaration = 1,   // <? ... >
        kStartTag = 2,      // <name ...>
        kEmptyElement = 3,  // <name ... />
        kEndTag = 4,        // </name>
        kCommentStart = 5,  // <!-- without the closing -->
        kComment = 6,       // a whole comment, or <!DOCTYPE ...>
        kCommentEnd = 7,    // the closing --> of a comment begun in an earlier item
        kText = 8,
    };

    int type = kText;
    QString text;  // the whole source token as read; for text items, the text itself
    QString name;  // element name without <, / or attributes
    std::vector<CMarkupParameter> attributes;  // in source order
    int id = 0;            // free for the reader (the score reader keeps a path id here)
    bool newline = false;  // when writing, a line break follows this item

    CMarkupElement() = default;
    CMarkupElement(QString elementName, int elementType)
        : type(elementType), name(std::move(elementName)) {}
};

}  // namespace ks
