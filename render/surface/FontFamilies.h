// The font families a page is drawn with. Documents name the fonts of the machine they
// were written on, mostly Windows families ("Times New Roman", "Arial"); left to the
// platform's own substitution these come out as whatever similar face a machine has,
// so text widths, and with them line and page breaks, would change from one machine
// to the next. Our own table maps them to open fonts with the same metrics first.
#pragma once

#include <QString>
#include <QStringList>

namespace ks {

// The metric-compatible open family for a family a document names (case ignored,
// "Times New Roman" -> "Liberation Serif", "Arial" -> "Liberation Sans", ...), or an
// empty string for families the table does not know.
QString metricCompatibleFamily(const QString& family);

// The family to draw for a family a document names: its metric-compatible open family
// when `available` (the families the machine has) holds it, else the family as named,
// for the platform to find or substitute.
QString drawingFamily(const QString& family, const QStringList& available);

}  // namespace ks
