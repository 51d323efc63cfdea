// Finding elements and reading attribute values of a CMarkupFile.
#include "storage/MarkupFile.h"

#include <climits>

namespace ks {

namespace {

// Names compared without case. ASCII is folded here; anything else goes to Qt.
bool sameNameIgnoringCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y) continue;
        if (x >= 0x80 || y >= 0x80)
            return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) == 0;
        const char16_t lx = x | 0x20;
        if (lx != (y | 0x20) || lx < u'a' || lx > u'z') return false;
    }
    return true;
}

// A "%d" scan: optional white space, an optional sign, then at least one digit; what
// follows the digits is ignored. Numbers outside the int range are not read.
bool scanInt(QStringView text, int& out) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const qsizetype digitsStart = i;
    long long value = 0;
    const long long limit = negative ? -(long long)INT_MIN : INT_MAX;
    bool tooLarge = false;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!tooLarge) value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit) tooLarge = true;
    }
    if (i == digitsStart || tooLarge) return false;
    out = int(negative ? -value : value);
    return true;
}

}  // namespace

bool CMarkupFile::FindElement(int start, QStringView name, int& first, int& last) const {
    for (qsizetype i = qMax(start, 0); i < qsizetype(elements_.size()); ++i) {
        const CMarkupElement& e = elements_[size_t(i)];
        if (e.type != CMarkupElement::kStartTag && e.type != CMarkupElement::kEmptyElement &&
            e.type != CMarkupElement::kEndTag)
            continue;
        if (e.name != name) continue;
        if (e.type == CMarkupElement::kStartTag) {
            first = int(i);
        } else if (e.type == CMarkupElement::kEmptyElement) {
            first = last = int(i);
            return true;
        } else {
            last = int(i);
            return true;
        }
    }
    return false;
}

const QString* CMarkupFile::findValue(QStringView name, const CMarkupElement& element) {
    for (const CMarkupParameter& p : element.attributes)
        if (sameNameIgnoringCase(p.name, name)) return &p.value;
    return nullptr;
}

bool CMarkupFile::GetString(QStringView name, const CMarkupElement& element, QString& out) {
    const QString* value = findValue(name, element);
    if (!value) return false;
    out = *value;
    return true;
}

bool CMarkupFile::GetInt(QStringView name, const CMarkupElement& element, int& out) {
    const QString* value = findValue(name, element);
    return value && scanInt(*value, out);
}

bool CMarkupFile::GetBool(QStringView name, const CMarkupElement& element, bool& out) {
    int value = 0;
    if (!GetInt(name, element, value) || (value != 0 && value != 1)) return false;
    out = value == 1;
    return true;
}

}  // namespace ks
