#include "ShortcutTable.h"

#include <QHash>
#include <QRegularExpression>

#include "app/Accelerators.h"
#include "app/MenuTable.h"
#include "model/TextTable.h"

namespace ks {

namespace {

// A menu label as a reader sees it: without the Alt-letter mark and the trailing dots.
QString plainLabel(QString label) {
    label.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    label.replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (label.endsWith(QStringLiteral("..."))) label.chop(3);
    return label.trimmed();
}

}  // namespace

QString shortcutTableHtml() {
    QHash<int, QString> labels;
    for (const MenuDef& menu : mainMenus()) {
        const QString title = plainLabel(text(menu.title));
        for (const MenuItemDef& item : menu.items)
            if (item.command > 0 && !labels.contains(item.command))
                labels.insert(item.command, title + QStringLiteral(" &gt; ") +
                                                plainLabel(text(item.label)).toHtmlEscaped());
    }
    QString html = QStringLiteral("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n"
                                  "<tr><th>Key</th><th>Command</th></tr>\n");
    for (const Accelerator& a : acceleratorTable())
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                    .arg(a.keys.toString(QKeySequence::PortableText).toHtmlEscaped(),
                         labels.value(a.command));
    html += QStringLiteral("</table>");
    return html;
}

}  // namespace ks
