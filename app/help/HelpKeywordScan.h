// Reads a help page's title and keywords from the head of its HTML, tag by tag. The
// pages are our own, but the scan survives anything: a page without a head, a keywords
// tag without quotes, bytes in any encoding.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ks {

struct CHelpPage {
    QString name;        // resource name ("VOLTAMARKS.HTM")
    QString title;       // empty when the page has none
    QStringList keywords;
};

CHelpPage scanHelpPage(const QString& name, const QByteArray& html);

// The keywords of one keywords tag ("<meta name="keywords" content="a, b">").
QStringList keywordsOfTag(const QByteArray& tag);

}  // namespace ks
