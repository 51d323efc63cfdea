#include "TextBox.h"

#include <QRegularExpression>

namespace ks {

void CTextBox::splitLines() {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    lines = text.isEmpty() ? QStringList() : text.split(breaks);
}

}  // namespace ks
