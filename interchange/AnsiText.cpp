#include "AnsiText.h"

#include <array>

namespace ks {

namespace {
// Characters of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
// Undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}
}  // namespace

QString decodeAnsi(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeAnsi(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the basic plane is one '?', not two.
        if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
        bytes[n++] = encodeChar(c.unicode());
    }
    bytes.truncate(n);
    return bytes;
}

}  // namespace ks
