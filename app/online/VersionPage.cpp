#include "app/online/VersionPage.h"

#include <cstdio>

namespace ks {

namespace {

int readVersionFields(const QString& name, int fields[3]) {
    const qsizetype underscore = name.indexOf(u'_');
    if (underscore < 0) return 0;
    QString rest = name.mid(underscore + 1);
    const qsizetype dot = rest.indexOf(u'.');
    if (dot >= 0) rest.truncate(dot);
    const QByteArray text = rest.toLatin1();
    return std::sscanf(text.constData(), "%d_%d_%d", &fields[0], &fields[1], &fields[2]);
}

QString digestAfter(const QString& page, qsizetype from) {
    const qsizetype label = page.indexOf(QLatin1String("SHA-256:"), from);
    if (label < 0) return {};
    qsizetype i = label + 8;
    while (i < page.size() && page[i].isSpace())
        ++i;
    const QString digest = page.mid(i, 64).toLower();
    if (digest.size() != 64) return {};
    for (QChar c : digest)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return {};
    return digest;
}

}  // namespace

bool isSafeInstallerName(const QString& name) {
    if (name.isEmpty() || name.toUtf8().size() > 255) return false;
    if (name == u"." || name.contains(QLatin1String(".."))) return false;
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':') return false;
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

VersionPageInfo parseVersionPage(const QByteArray& body) {
    VersionPageInfo info;
    // The page is 8-bit text; Latin-1 keeps every byte as one character.
    const QString page = QString::fromLatin1(body);
    static const QLatin1String marker("/downloadsv4/");
    const qsizetype at = page.lastIndexOf(marker);
    if (at < 0) return info;
    const qsizetype start = at + marker.size();
    const qsizetype end = page.indexOf(u'>', start);
    if (end < 0) return info;
    const QString name = page.mid(start, end - start);
    if (!isSafeInstallerName(name)) return info;
    info.found = true;
    info.fileName = name;
    int fields[3] = {0, 0, 0};
    readVersionFields(name, fields);
    info.major = fields[0];
    info.minor = fields[1];
    info.build = fields[2];
    info.sha256 = digestAfter(page, end);
    return info;
}

}  // namespace ks
