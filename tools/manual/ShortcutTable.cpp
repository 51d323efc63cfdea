#include "ShortcutTable.h"

#include <QHash>
#include <QRegularExpression>
#include <utility>

#include "app/Accelerators.h"
#include "app/MenuTable.h"
#include "edit/HotKeys.h"
#include "model/Selection.h"
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

// The name of a virtual-key code as the key caps read.
QString keyName(int32_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return QString(QChar(code));
    if (code >= 96 && code <= 105) return QStringLiteral("Keypad %1").arg(code - 96);
    if (code >= 112 && code <= 123) return QStringLiteral("F%1").arg(code - 111);
    static constexpr std::pair<int32_t, const char*> kNames[] = {
        {8, "Backspace"},  {9, "Tab"},        {13, "Enter"},     {27, "Esc"},
        {32, "Space"},     {33, "PgUp"},      {34, "PgDown"},    {35, "End"},
        {36, "Home"},      {37, "Left"},      {38, "Up"},        {39, "Right"},
        {40, "Down"},      {45, "Ins"},       {46, "Del"},       {106, "Keypad *"},
        {107, "Keypad +"}, {109, "Keypad -"}, {110, "Keypad ."}, {111, "Keypad /"},
        {186, ";"},        {187, "="},        {188, ","},        {189, "-"},
        {190, "."},        {191, "/"},        {192, "`"},        {219, "["},
        {220, "\\"},       {221, "]"},        {222, "#"},        {223, "'"}};
    for (const auto& [key, name] : kNames)
        if (key == code) return QString::fromLatin1(name);
    return QStringLiteral("Key %1").arg(code);
}

QString keysOf(const CHotKey& k) {
    QString keys;
    if (k.altctrlshift & KeyModifier::Ctrl) keys += QStringLiteral("Ctrl+");
    if (k.altctrlshift & KeyModifier::Alt) keys += QStringLiteral("Alt+");
    if (k.altctrlshift & KeyModifier::Shift) keys += QStringLiteral("Shift+");
    return keys + keyName(k.keycode);
}

QString modeName(const CHotKey& k) {
    QString view;
    switch (k.viewmode) {
        case 1:
            view = QStringLiteral("Page");
            break;
        case 2:
            view = QStringLiteral("Layout");
            break;
        case 3:
            view = QStringLiteral("Music");
            break;
        case 5:
            view = QStringLiteral("Track select");
            break;
        default:
            view = QStringLiteral("Any");
            break;
    }
    switch (k.editmode) {
        case EditMode::Notes:
            return view + QStringLiteral(", notes");
        case EditMode::Picked:
            return view + QStringLiteral(", a picked item");
        case EditMode::Annotation:
            return view + QStringLiteral(", Annotation mode");
        case EditMode::Lyric:
            return view + QStringLiteral(", Lyric mode");
        case EditMode::Tuplet:
            return view + QStringLiteral(", Tuplet mode");
        case EditMode::Grace:
            return view + QStringLiteral(", Grace mode");
        case EditMode::TempoMark:
            return view + QStringLiteral(", a tempo mark");
        default:
            return view;
    }
}

// What a command does in words: its menu place, or else the first line of its prompt.
QString commandName(const QHash<int, QString>& labels, int command) {
    if (labels.contains(command)) return labels.value(command);
    const QString prompt = text(command);
    return prompt.section(u'\n', 0, 0).toHtmlEscaped();
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
    QString html = QStringLiteral(
        "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n"
        "<tr><th>Key</th><th>Command</th></tr>\n");
    for (const Accelerator& a : acceleratorTable())
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                    .arg(a.keys.toString(QKeySequence::PortableText).toHtmlEscaped(),
                         labels.value(a.command));
    html += QStringLiteral("</table>\n");
    // The keys each view and edit mode answers first, before the menus' keys.
    html += QStringLiteral(
        "<h3>Keys in each mode</h3>\n"
        "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n"
        "<tr><th>Key</th><th>Where</th><th>What it does</th></tr>\n");
    for (const CHotKey& k : CHotKeyTable::builtIn().entries())
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                    .arg(keysOf(k).toHtmlEscaped(), modeName(k), commandName(labels, k.msgid));
    html += QStringLiteral("</table>");
    return html;
}

}  // namespace ks
