#include "storage/MarkupToken.h"

#include "storage/MarkupEntities.h"

namespace ks {

namespace {

// Attribute lists reserved up front at most this long; longer ones grow as usual.
constexpr qsizetype kMaxReserved = 32;
// Values up to this length (small numbers, flags) repeat all through a file and are
// shared; longer ones (times) rarely repeat, and caching them would only churn the cache.
constexpr qsizetype kMaxSharedValue = 4;

bool isSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool isQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

// Prefix and suffix tests against short literals, inlined (these run for every token).
template <size_t N>
bool startsWith(QStringView t, const char16_t (&literal)[N]) {
    constexpr qsizetype len = N - 1;
    if (t.size() < len) return false;
    for (qsizetype i = 0; i < len; ++i)
        if (t.utf16()[i] != literal[i]) return false;
    return true;
}

template <size_t N>
bool endsWith(QStringView t, const char16_t (&literal)[N]) {
    constexpr qsizetype len = N - 1;
    if (t.size() < len) return false;
    const char16_t* tail = t.utf16() + t.size() - len;
    for (qsizetype i = 0; i < len; ++i)
        if (tail[i] != literal[i]) return false;
    return true;
}

// Whether "/>" occurs in the token; most empty elements end with it, so look there first.
bool containsEmptyElementEnd(QStringView t) {
    const qsizetype n = t.size();
    if (n >= 2 && t[n - 2] == u'/' && t[n - 1] == u'>') return true;
    const char16_t* s = t.utf16();
    for (qsizetype i = 0; i + 1 < n; ++i)
        if (s[i] == u'/' && s[i + 1] == u'>') return true;
    return false;
}

// Reads the name and attributes of a declaration, start tag, empty element or end tag.
void parseTag(QStringView t, CMarkupElement& element, NameCache& cache) {
    const qsizetype n = t.size();
    qsizetype pos = 0;
    if (element.type == CMarkupElement::kDeclaration || element.type == CMarkupElement::kEndTag)
        pos = 2;
    else if (startsWith(t, u"<"))
        pos = 1;

    // The attribute region ends before the closing "?>", "/>" or ">".
    qsizetype end = n;
    if (element.type == CMarkupElement::kDeclaration && endsWith(t, u"?>"))
        end = n - 2;
    else if (endsWith(t, u"/>"))
        end = n - 2;
    else if (endsWith(t, u">"))
        end = n - 1;
    if (end < pos) end = pos;

    while (pos < end && isSpace(t[pos]))
        ++pos;
    const qsizetype nameStart = pos;
    while (pos < end && !isSpace(t[pos]) && t[pos] != u'>' && t[pos] != u'/')
        ++pos;
    element.name = cache.intern(t.sliced(nameStart, pos - nameStart));

    // Every attribute needs an '=', so their count sizes the list in one allocation in
    // the usual case; quoted '=' or a scan that stops early leave it too large (below).
    qsizetype equals = 0;
    for (qsizetype i = pos; i < end; ++i)
        equals += t.utf16()[i] == u'=';
    if (equals > 0) element.attributes.reserve(size_t(qMin(equals, kMaxReserved)));
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
        element.attributes.push_back(
            {cache.intern(attrName),
             decodeAttributeValue(t.sliced(valueStart, pos - valueStart), &cache)});
    }
    if (element.attributes.capacity() != element.attributes.size())
        element.attributes.shrink_to_fit();
}

}  // namespace

int classifyToken(QStringView t) {
    if (startsWith(t, u"<!--"))
        return endsWith(t, u"-->") ? CMarkupElement::kComment : CMarkupElement::kCommentStart;
    if (endsWith(t, u"-->")) return CMarkupElement::kCommentEnd;
    if (startsWith(t, u"<?")) return CMarkupElement::kDeclaration;
    if (startsWith(t, u"</")) return CMarkupElement::kEndTag;
    if (containsEmptyElementEnd(t)) return CMarkupElement::kEmptyElement;
    if (startsWith(t, u"<!DOCTYPE")) return CMarkupElement::kComment;
    if (startsWith(t, u"<") && endsWith(t, u">")) return CMarkupElement::kStartTag;
    return CMarkupElement::kText;
}

QString decodeAttributeValue(QStringView raw, NameCache* cache) {
    if (raw.size() > 1 && isQuote(raw.front()) && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    if (raw.contains(u'&')) return DecodeEntities(raw.toString());
    return cache && raw.size() <= kMaxSharedValue ? cache->intern(raw) : raw.toString();
}

QString decodeAttributeValue(const QString& raw) {
    const bool quoted = raw.size() > 1 && isQuote(raw.front()) && raw.back() == raw.front();
    if (!quoted && !raw.contains(u'&')) return raw;
    return decodeAttributeValue(QStringView(raw));
}

void fillFromToken(CMarkupElement& element, QString token, NameCache& cache) {
    element.type = classifyToken(token);
    switch (element.type) {
        case CMarkupElement::kDeclaration:
        case CMarkupElement::kStartTag:
        case CMarkupElement::kEmptyElement:
        case CMarkupElement::kEndTag:
            parseTag(token, element, cache);
            break;
        case CMarkupElement::kComment:
            if (startsWith(token, u"<!DOCTYPE")) element.name = cache.intern(u"DOCTYPE");
            break;
        default:
            break;
    }
    element.text = std::move(token);
}

}  // namespace ks
