#include "app/help/HelpKeywordScan.h"

namespace ks {

namespace {

// Page bytes as text: UTF-8 where they are valid UTF-8, otherwise Latin-1, so that no
// byte is lost or turned into a replacement mark.
QString decode(const QByteArray& bytes) {
    const QString utf8 = QString::fromUtf8(bytes);
    if (!utf8.contains(QChar::ReplacementCharacter)) return utf8;
    return QString::fromLatin1(bytes);
}

bool containsNoCase(const QByteArray& haystack, const char* needle) {
    return haystack.toLower().contains(needle);
}

}  // namespace

QStringList keywordsOfTag(const QByteArray& tag) {
    QStringList keywords;
    const QByteArray lower = tag.toLower();
    const qsizetype at = lower.indexOf("content");
    if (at < 0) return keywords;
    QByteArray value = tag.mid(at + 7).trimmed();
    if (value.startsWith('=')) value = value.mid(1).trimmed();
    if (!value.isEmpty() && (value[0] == '"' || value[0] == '\'')) {
        const char quote = value[0];
        const qsizetype last = value.lastIndexOf(quote);
        value = last > 0 ? value.mid(1, last - 1) : value.mid(1);
    }
    // Without quotes the value runs to the end of the tag: the closing ">" and an empty
    // element's "/" are not part of the last keyword.
    if (value.endsWith('>')) value.chop(1);
    if (value.endsWith('/')) value.chop(1);
    for (const QByteArray& piece : value.split(',')) {
        const QString keyword = decode(piece.trimmed());
        if (!keyword.isEmpty()) keywords.append(keyword);
    }
    return keywords;
}

CHelpPage scanHelpPage(const QString& name, const QByteArray& html) {
    CHelpPage page;
    page.name = name;
    bool inTitle = false;
    QByteArray title;
    qsizetype pos = 0;
    while (pos < html.size()) {
        const qsizetype open = html.indexOf('<', pos);
        if (open < 0) break;
        if (inTitle) title += html.mid(pos, open - pos);
        const qsizetype close = html.indexOf('>', open);
        // A tag left open at the end of the page reaches to the end.
        const QByteArray tag = html.mid(open, close < 0 ? -1 : close - open + 1);
        pos = close < 0 ? html.size() : close + 1;
        const QByteArray lower = tag.toLower();
        if (lower.startsWith("<title")) {
            inTitle = true;
        } else if (lower.startsWith("</title")) {
            inTitle = false;
        } else if (containsNoCase(tag, "name=\"keywords\"")) {
            page.keywords += keywordsOfTag(tag);
        } else if (lower.startsWith("</head")) {
            break;
        }
    }
    page.title = decode(title).simplified();
    return page;
}

}  // namespace ks
