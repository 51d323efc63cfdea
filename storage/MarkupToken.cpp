#include "storage/MarkupToken.h"

#include "storage/MarkupEntities.h"

namespace ks {

namespace {

bool isSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool isQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

// Reads the name and attributes of a declaration, start tag, empty element or end tag.
void parseTag(QStringView t, CMarkupElement& element, NameCache& cache,
              std::vector<CMarkupParameter>& scratch) {
    const qsizetype n = t.size();
    qsizetype pos = 0;
    if (element.type == CMarkupElement::kDeclaration || element.type == CMarkupElement::kEndTag)
        pos = 2;
    else if (t.startsWith(u'<'))
        pos = 1;

    // The attribute region ends before the closing "?>", "/>" or ">".
    qsizetype end = n;
    if (element.type == CMarkupElement::kDeclaration && t.endsWith(u"?>"))
        end = n - 2;
    else if (t.endsWith(u"/>"))
        end = n - 2;
    else if (t.endsWith(u'>'))
        end = n - 1;
    if (end < pos) end = pos;

    while (pos < end && isSpace(t[pos]))
        ++pos;
    const qsizetype nameStart = pos;
    while (pos < end && !isSpace(t[pos]) && t[pos] != u'>' && t[pos] != u'/')
        ++pos;
    element.name = cache.intern(t.sliced(nameStart, pos - nameStart));

    scratch.clear();
    for (;;) {
        while (pos < end && isSpace(t[pos]))
            ++pos;
        if (pos >= end) break;
        const qsizetype attrStart = pos;
        while (pos < end && t[pos] != u'=' && t[pos] != u'>' && !isSpace(t[pos]))
            ++pos;
        const QStringView attrName = t.sliced(attrStart, pos - attrStart);
        while (pos < end && isSpace(t[pos]))
            ++pos;
        if (pos >= end || t[pos] != u'=') break;
        ++pos;
        while (pos < end && isSpace(t[pos]))
            ++pos;

        const qsizetype valueStart = pos;
        if (pos < end && isQuote(t[pos])) {
            const QChar quote = t[pos];
            ++pos;
            while (pos < end && t[pos] != quote)
                ++pos;
            if (pos < end) ++pos;  // the closing quote belongs to the value
        } else {
            while (pos < end && !isSpace(t[pos]) && t[pos] != u'>')
                ++pos;
        }
        scratch.push_back({cache.intern(attrName),
                           decodeAttributeValue(t.sliced(valueStart, pos - valueStart), &cache)});
    }
    if (!scratch.empty()) {
        element.attributes.reserve(scratch.size());
        for (CMarkupParameter& p : scratch)
            element.attributes.push_back(std::move(p));
    }
}

}  // namespace

int classifyToken(QStringView t) {
    if (t.startsWith(u"<!--"))
        return t.endsWith(u"-->") ? CMarkupElement::kComment : CMarkupElement::kCommentStart;
    if (t.endsWith(u"-->")) return CMarkupElement::kCommentEnd;
    if (t.startsWith(u"<?")) return CMarkupElement::kDeclaration;
    if (t.startsWith(u"</")) return CMarkupElement::kEndTag;
    if (t.contains(u"/>")) return CMarkupElement::kEmptyElement;
    if (t.startsWith(u"<!DOCTYPE")) return CMarkupElement::kComment;
    if (t.startsWith(u'<') && t.endsWith(u'>')) return CMarkupElement::kStartTag;
    return CMarkupElement::kText;
}

QString decodeAttributeValue(QStringView raw, NameCache* cache) {
    if (raw.size() > 1 && isQuote(raw.front()) && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    if (raw.contains(u'&')) return DecodeEntities(raw.toString());
    return cache ? cache->intern(raw) : raw.toString();
}

QString decodeAttributeValue(const QString& raw) {
    const bool quoted = raw.size() > 1 && isQuote(raw.front()) && raw.back() == raw.front();
    if (!quoted && !raw.contains(u'&')) return raw;
    return decodeAttributeValue(QStringView(raw));
}

CMarkupElement elementFromToken(QString token, NameCache& cache,
                                std::vector<CMarkupParameter>& scratch) {
    CMarkupElement element;
    element.type = classifyToken(token);
    switch (element.type) {
        case CMarkupElement::kDeclaration:
        case CMarkupElement::kStartTag:
        case CMarkupElement::kEmptyElement:
        case CMarkupElement::kEndTag:
            parseTag(token, element, cache, scratch);
            break;
        case CMarkupElement::kComment:
            if (token.startsWith(u"<!DOCTYPE")) element.name = cache.intern(u"DOCTYPE");
            break;
        default:
            break;
    }
    element.text = std::move(token);
    return element;
}

}  // namespace ks
