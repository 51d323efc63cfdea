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

// What the keys of the modes do that no menu item names and no prompt describes.
constexpr std::pair<int, const char*> kKeyCommands[] = {
    {32799, "Remove the grace note"},
    {32838, "Next style of the bar line on the right"},
    {32839, "Next style of the bar line on the left"},
    {32878, "Leave Grace mode"},
    {32887, "Previous line of lyrics"},
    {32888, "Next line of lyrics"},
    {32889, "To the previous note"},
    {32890, "To the next note"},
    {32891, "Move the lyric left"},
    {32892, "Move the lyric right"},
    {32893, "Put the lyric back in its place"},
    {32900, "Grace note a semitone higher"},
    {32901, "Grace note a semitone lower"},
    {32944, "Highlight the previous track"},
    {32945, "Highlight the next track"},
    {32975, "Cursor a semitone up, selecting the notes under it"},
    {32976, "Cursor a semitone down, selecting the notes under it"},
    {32977, "Cursor one slot earlier"},
    {32978, "Cursor one slot later"},
    {32979, "Selected notes a semitone higher (with Shift an octave)"},
    {32980, "Selected notes a semitone lower (with Shift an octave)"},
    {32981, "Selected notes one step earlier"},
    {32982, "Selected notes one step later"},
    {32983, "Select the next note of the tuplet"},
    {32984, "Select the previous note of the tuplet"},
    {32985, "Insert a note in the slot"},
    {32986, "Select every note of the tuplet"},
};

// What a command does in words: its menu place, else the first line of its prompt, else
// the manual's own words; empty for a key whose command the program does not have yet.
QString commandName(const QHash<int, QString>& labels, int command) {
    if (labels.contains(command)) return labels.value(command);
    const QString& prompt = text(command);
    if (prompt != QLatin1String(TextTable::kFallback))
        return prompt.section(u'\n', 0, 0).toHtmlEscaped();
    for (const auto& [id, words] : kKeyCommands)
        if (id == command) return QString::fromLatin1(words);
    return {};
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
    for (const CHotKey& k : CHotKeyTable::builtIn().entries()) {
        const QString what = commandName(labels, k.msgid);
        if (!what.isEmpty())
            html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>\n")
                        .arg(keysOf(k).toHtmlEscaped(), modeName(k), what);
    }
    html += QStringLiteral("</table>");
    return html;
}

}  // namespace ks
