#include "TextFormat.h"

#include <vector>

namespace ks {

namespace {

QString pad(QString body, int width, bool left, QChar fill, bool negative) {
    if (body.size() >= width) return body;
    const qsizetype missing = width - body.size();
    if (left) return body + QString(missing, u' ');
    if (fill == u'0') {
        const qsizetype at = negative ? 1 : 0;
        body.insert(at, QString(missing, u'0'));
        return body;
    }
    return QString(missing, u' ') + body;
}

}  // namespace

QString formatText(const QString& format, std::initializer_list<TextArg> args) {
    const std::vector<TextArg> list(args);
    size_t next = 0;
    QString out;
    out.reserve(format.size() + 16);
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%') {
            out += c;
            continue;
        }
        const qsizetype start = i++;
        if (i < n && format[i] == u'%') {
            out += u'%';
            continue;
        }
        bool left = false, plus = false, space = false;
        QChar fill = u' ';
        for (; i < n; ++i) {
            const QChar f = format[i];
            if (f == u'-')
                left = true;
            else if (f == u'0')
                fill = u'0';
            else if (f == u'+')
                plus = true;
            else if (f == u' ')
                space = true;
            else
                break;
        }
        int width = 0;
        for (; i < n && format[i].isDigit() && width < 1000; ++i)
            width = width * 10 + format[i].digitValue();
        int precision = -1;
        if (i < n && format[i] == u'.') {
            precision = 0;
            for (++i; i < n && format[i].isDigit() && precision < 1000; ++i)
                precision = precision * 10 + format[i].digitValue();
        }
        while (i < n && (format[i] == u'l' || format[i] == u'h'))
            ++i;
        if (i >= n) {
            out += format.mid(start);
            break;
        }
        const QChar conv = format[i];
        const QString spec = format.mid(start, i - start + 1);
        const bool numeric = conv == u'd' || conv == u'i' || conv == u'u' || conv == u'x' ||
                             conv == u'X' || conv == u'c';
        if ((!numeric && conv != u's') || next >= list.size()) {
            out += spec;
            continue;
        }
        const TextArg& arg = list[next];
        if (conv == u's') {
            if (!std::holds_alternative<QString>(arg)) {
                out += spec;
                continue;
            }
            ++next;
            QString s = std::get<QString>(arg);
            if (precision >= 0) s.truncate(precision);
            out += pad(s, width, left, u' ', false);
            continue;
        }
        if (!std::holds_alternative<int64_t>(arg)) {
            out += spec;
            continue;
        }
        ++next;
        const int64_t v = std::get<int64_t>(arg);
        if (conv == u'c') {
            out += pad(QString(QChar(static_cast<char16_t>(v))), width, left, u' ', false);
            continue;
        }
        const bool hex = conv == u'x' || conv == u'X';
        const bool negative = !hex && conv != u'u' && v < 0;
        uint64_t magnitude = negative ? uint64_t(0) - uint64_t(v) : uint64_t(v);
        if (hex || conv == u'u') magnitude = uint32_t(v);
        QString digits = QString::number(magnitude, hex ? 16 : 10);
        if (conv == u'X') digits = digits.toUpper();
        if (precision >= 0 && digits.size() < precision)
            digits.prepend(QString(precision - digits.size(), u'0'));
        if (negative)
            digits.prepend(u'-');
        else if (plus && !hex)
            digits.prepend(u'+');
        else if (space && !hex)
            digits.prepend(u' ');
        out += pad(digits, width, left, precision >= 0 ? QChar(u' ') : fill, negative || plus);
    }
    return out;
}

}  // namespace ks
