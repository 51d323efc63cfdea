// Turning one token of markup text into an element: classification, name and attributes.
#pragma once

#include "storage/MarkupElement.h"
#include "storage/NameCache.h"

#include <QString>
#include <QStringView>

namespace ks {

// The item kind of a token. Tests run in this order: comment start, comment end, "<?",
// "</", contains "/>", "<!DOCTYPE", start tag; whatever is left is text.
int classifyToken(QStringView token);

// An attribute value as stored: surrounding matching quotes removed when the value is
// longer than one character, then entities decoded. `cache` shares short plain values.
QString decodeAttributeValue(QStringView raw, NameCache* cache = nullptr);
// The same for a whole string; an unchanged value is shared, not copied.
QString decodeAttributeValue(const QString& raw);

// Fills a fresh element from a non-empty token.
void fillFromToken(CMarkupElement& element, QString token, NameCache& cache);

}  // namespace ks
