#include "storage/RootElement.h"

#include <QFile>

namespace ks {

namespace {

constexpr qint64 kSniffBytes = 64 * 1024;

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

}  // namespace

QString rootElementName(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray head = file.read(kSniffBytes);
    if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);  // a UTF-8 byte order mark
    qsizetype at = 0;
    while (at < head.size()) {
        const char c = head[at];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++at;
            continue;
        }
        if (c != '<') return {};  // text before the root: not an XML document
        if (head.mid(at, 4) == "<!--") {
            const qsizetype end = head.indexOf("-->", at + 4);
            if (end < 0) return {};
            at = end + 3;
            continue;
        }
        if (at + 1 < head.size() && (head[at + 1] == '?' || head[at + 1] == '!')) {
            const qsizetype end = head.indexOf('>', at + 2);
            if (end < 0) return {};
            at = end + 1;
            continue;
        }
        qsizetype end = at + 1;
        while (end < head.size() && isNameChar(head[end]))
            ++end;
        return QString::fromLatin1(head.mid(at + 1, end - at - 1));
    }
    return {};
}

bool isBareScoreDocument(const QString& path) {
    const QString root = rootElementName(path);
    return root == u"keystaves" || root == u"tonepad";
}

}  // namespace ks
