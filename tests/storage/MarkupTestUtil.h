// Helpers shared by the markup tests: temporary files and compact views of element lists.
#pragma once

#include "storage/MarkupFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string>

namespace ks::test {

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Loads `bytes` through a temporary file.
inline bool loadBytes(CMarkupFile& markup, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.xml"));
    return writeBytes(path, bytes) && markup.Load(path, 0);
}

// One line per element: "type name a=value ..." or "8 'text'".
inline std::string describe(const CMarkupElement& e) {
    QString s = QString::number(e.type);
    if (e.type == CMarkupElement::kText || e.type >= CMarkupElement::kCommentStart)
        s += QStringLiteral(" '%1'").arg(e.text);
    if (!e.name.isEmpty()) s += u' ' + e.name;
    for (const CMarkupParameter& p : e.attributes)
        s += u' ' + p.name + u'=' + p.value;
    return s.toStdString();
}

inline std::string describe(const CMarkupFile& markup) {
    std::string out;
    for (const CMarkupElement& e : markup.elements())
        out += describe(e) + "\n";
    return out;
}

}  // namespace ks::test
