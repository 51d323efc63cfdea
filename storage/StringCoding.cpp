#include "storage/StringCoding.h"

namespace ks {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

bool isUnreserved(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'_' || c == u'.' || c == u'~';
}

}  // namespace

QString hexEncode(QByteArrayView bytes) {
    QString out(bytes.size() * 2, Qt::Uninitialized);
    QChar* w = out.data();
    for (const char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        *w++ = QLatin1Char(kHexDigits[v >> 4]);
        *w++ = QLatin1Char(kHexDigits[v & 0xF]);
    }
    return out;
}

bool hexDecode(QStringView text, QByteArray& out) {
    if (text.size() % 2 != 0) return false;
    QByteArray bytes(text.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int hi = hexValue(text[2 * i].unicode());
        const int lo = hexValue(text[2 * i + 1].unicode());
        if (hi < 0 || lo < 0) return false;
        bytes[i] = static_cast<char>(hi << 4 | lo);
    }
    out = bytes;
    return true;
}

QString PercentEncode(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (isUnreserved(c)) {
            out.append(ch);
            continue;
        }
        out.append(u'%');
        if (c > 0xFF) {
            if (c > 0xFFF) out.append(QLatin1Char(kHexDigits[c >> 12]));
            out.append(QLatin1Char(kHexDigits[(c >> 8) & 0xF]));
        }
        out.append(QLatin1Char(kHexDigits[(c >> 4) & 0xF]));
        out.append(QLatin1Char(kHexDigits[c & 0xF]));
    }
    return out;
}

}  // namespace ks
