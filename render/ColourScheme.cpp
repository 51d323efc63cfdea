#include "ColourScheme.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>

namespace ks {

namespace {

Palette& mutablePalette() {
    static Palette palette = builtInPalette();
    return palette;
}

// One colour line as the pattern "%03d, %03d, %03d" reads it: up to three characters
// per number (a sign counts), a comma after each of the first two, any blanks after
// the commas. True when three numbers were read; trailing text is ignored.
bool scanColourLine(QStringView line, int values[3]) {
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= n || line[i] != u',') return false;
            ++i;
            while (i < n && line[i].isSpace())
                ++i;
        }
        while (i < n && line[i].isSpace())
            ++i;  // %d skips leading white space
        qsizetype start = i;
        int width = 0;
        bool negative = false;
        if (i < n && (line[i] == u'-' || line[i] == u'+')) {
            negative = line[i] == u'-';
            ++i;
            ++width;
        }
        int value = 0;
        int digits = 0;
        while (i < n && width < 3 && line[i].isDigit()) {
            value = value * 10 + line[i].digitValue();
            ++i;
            ++width;
            ++digits;
        }
        if (digits == 0) {
            (void)start;
            return false;
        }
        values[k] = negative ? -value : value;
    }
    return true;
}

}  // namespace

const Palette& builtInPalette() {
    static const Palette palette = {QColor(128, 96, 224), QColor(104, 104, 0), QColor(224, 0, 128),
                                    QColor(224, 128, 0),  QColor(0, 0, 224),   QColor(224, 0, 0),
                                    QColor(0, 192, 0),    QColor(128, 0, 224), QColor(224, 160, 0),
                                    QColor(0, 128, 128)};
    return palette;
}

const Palette& activePalette() {
    return mutablePalette();
}
void setActivePalette(const Palette& palette) {
    mutablePalette() = palette;
}
void resetActivePalette() {
    mutablePalette() = builtInPalette();
}

QColor octaveColour(int pitch) {
    const int index = (std::max(pitch, 0) / 12) % 10;
    return activePalette()[static_cast<size_t>(index)];
}

QColor fade(QColor c, int times) {
    for (int i = 0; i < times; ++i)
        c = QColor(128 + c.red() / 2, 128 + c.green() / 2, 128 + c.blue() / 2);
    return c;
}

QColor colourFromRef(int32_t v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int32_t refFromColour(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

int colourModeEntry(int storedMode) {
    static const int entries[] = {1, 2, 2, 3, 0};
    return entries[std::clamp(storedMode, 0, kMaxColourMode)];
}

int colourModeForEntry(int entry) {
    static const int modes[] = {4, 0, 2, 3};
    return modes[std::clamp(entry, 0, 3)];
}

DrawingSwitches deriveSwitches(const CDisplaySettings& prefs, bool pageOrLayoutMode) {
    DrawingSwitches s;
    const int mode = std::clamp(prefs.colourmode, 0, kMaxColourMode);
    if ((prefs.stavetype == 3 || prefs.stavetype == 4) && pageOrLayoutMode) {
        s.colourStaveLines = prefs.stavetype == 4;
        return s;
    }
    s.shadeBackground = mode == 1;
    s.colourStaveLines = mode == 2 || mode > 3;
    s.colourNoteHeads = mode > 2;
    s.keyboardGuides = prefs.showkeyboards;
    s.reducedSpacing = prefs.reducedspacing;
    s.extendOnAffectedBars =
        prefs.extendmode == ExtendMode::AffectedBars && !prefs.showonlyusedlines;
    return s;
}

bool parseColourText(const QString& text, Palette& out) {
    QStringList lines = text.split(u'\n');
    for (QString& l : lines)
        l = l.trimmed();
    if (lines.size() < 12 || lines[0] != u"[KSV]") return false;
    Palette read;
    for (int k = 0; k < 10; ++k) {
        int v[3];
        if (!scanColourLine(lines[k + 1], v)) return false;
        read[static_cast<size_t>(k)] =
            QColor(std::clamp(v[0], 0, 255), std::clamp(v[1], 0, 255), std::clamp(v[2], 0, 255));
    }
    if (lines[11] != u"[/KSV]") return false;
    out = read;
    return true;
}

bool ApplyColourText(const QString& text) {
    Palette p;
    if (!parseColourText(text, p)) return false;
    setActivePalette(p);
    return true;
}

bool LoadColourFile(const QString& workingFolder, const QString& programFolder) {
    for (const QString& folder : {workingFolder, programFolder}) {
        if (folder.isEmpty()) continue;
        QFile file(QDir(folder).filePath(QStringLiteral("colours.txt")));
        if (!file.open(QIODevice::ReadOnly)) continue;
        // An 8-bit text file; a colour file is tiny, anything large is not one.
        const QByteArray bytes = file.read(64 * 1024);
        return ApplyColourText(QString::fromLatin1(bytes));
    }
    return false;
}

}  // namespace ks
