#include "app/DisplaySettingsModel.h"

#include <algorithm>
#include <cmath>

#include "render/ColourScheme.h"
#include "render/layout/ShownNotes.h"

namespace ks {

namespace {

bool conventionalType(int32_t stavetype) {
    return stavetype == 3 || stavetype == 4;
}

int roundHalfAway(double v) {
    return static_cast<int>(v < 0 ? v - 0.5 : v + 0.5);
}

}  // namespace

DisplayControls controlsFromPreferences(const CDisplaySettings& p, int orientation) {
    DisplayControls c;
    c.barsPerLineIndex = std::max(p.barsperline, 1) - 1;
    c.fontsize = std::clamp(p.fontsize, kMinMusicSize, kMaxMusicSize);
    c.stavegap = std::clamp(p.stavegap, 0, kMaxHandGapControl);
    if (conventionalType(p.stavetype)) c.stavegap = std::max(c.stavegap, 2);
    c.colourEntry = colourModeEntry(p.colourmode);
    c.extendMode = std::clamp(p.extendmode, 0, 4);
    c.staveType = std::clamp(p.stavetype, 0, 4);
    c.stemDirection = !p.dynamicorientation;
    c.whiteNoteSpace = !p.reducedspacing;
    c.thickLines = p.thicklines;
    c.fadeTies = p.grayties;
    c.onlyUsedLines = conventionalType(p.stavetype) ? false : p.showonlyusedlines;
    c.preventOverlap = p.optimise;
    c.fingeringNearHead = p.customfingering;
    c.title = p.showtitle;
    c.subtitle = p.showsubtitle;
    c.copyright = p.showcopyright;
    c.composer = p.showartist;
    c.timeSignature = p.showtimesignature;
    c.keySignature = p.showkey;
    c.rests = p.showrests;
    c.tempo = p.showtempo;
    c.stems = p.showstems;
    c.fingering = p.showfingering;
    c.lyrics = p.showlyrics;
    c.barNumbers = p.showbarnumbers;
    c.pageNumbers = p.showpagenumbers;
    c.keyboards = p.showkeyboards;
    c.clefs = p.showclefs;
    c.filename = p.showfilename;
    c.annotations = p.showannotations;
    c.cropStart = p.hiderestsatstart;
    c.cropEnd = p.hiderestsatend;
    c.indentStart = p.indentatstart;
    c.barZero = p.usebarzero;
    c.indentEnd = p.indentatend;
    c.orientation = orientation == 2 ? 2 : 1;
    return c;
}

void applyControls(const DisplayControls& c, CDisplaySettings& p) {
    p.barsperline = std::max(c.barsPerLineIndex, 0) + 1;
    p.fontsize = std::clamp(c.fontsize, kMinMusicSize, kMaxMusicSize);
    p.stavegap = std::clamp(c.stavegap, 0, kMaxHandGapControl);
    p.colourmode = colourModeForEntry(c.colourEntry);
    p.extendmode = std::clamp(c.extendMode, 0, 4);
    if (c.staveType >= 0 && c.staveType <= 4) p.stavetype = c.staveType;
    p.dynamicorientation = !c.stemDirection;
    p.reducedspacing = !c.whiteNoteSpace;
    p.thicklines = c.thickLines;
    p.grayties = c.fadeTies;
    p.showonlyusedlines = c.onlyUsedLines;
    p.optimise = c.preventOverlap;
    p.customfingering = c.fingeringNearHead;
    p.showtitle = c.title;
    p.showsubtitle = c.subtitle;
    p.showcopyright = c.copyright;
    p.showartist = c.composer;
    p.showtimesignature = c.timeSignature;
    p.showkey = c.keySignature;
    p.showrests = c.rests;
    p.showtempo = c.tempo;
    p.showstems = c.stems;
    p.showfingering = c.fingering;
    p.showlyrics = c.lyrics;
    p.showbarnumbers = c.barNumbers;
    p.showpagenumbers = c.pageNumbers;
    p.showkeyboards = c.keyboards;
    p.showclefs = c.clefs;
    p.showfilename = c.filename;
    p.showannotations = c.annotations;
    p.hiderestsatstart = c.cropStart;
    p.hiderestsatend = c.cropEnd;
    // The indents and the bar-zero name only mean something while the rests they
    // concern are cropped; otherwise the stored choice stays as it was.
    if (c.cropStart) {
        p.indentatstart = c.indentStart;
        p.usebarzero = c.barZero;
    }
    if (c.cropEnd) p.indentatend = c.indentEnd;
}

void coupleTitleBoxes(DisplayControls& c, bool titleChanged) {
    if (titleChanged) {
        if (!c.title) c.subtitle = false;
    } else if (c.subtitle) {
        c.title = true;
    }
}

int barsPerLineChoices(int32_t barsperline) {
    return std::clamp(barsperline, kBarsPerLineChoices, 100);
}

std::vector<StaveTypeEntry> staveTypeEntries(const QString& list) {
    std::vector<StaveTypeEntry> entries;
    for (const QString& item : list.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype bar = item.indexOf(u'|');
        if (bar <= 0) continue;
        bool ok = false;
        const int number = item.left(bar).trimmed().toInt(&ok);
        if (!ok || number < 0 || number > 4) continue;
        entries.push_back({number, item.mid(bar + 1)});
    }
    return entries;
}

QString musicSizeLabel(int fontsize) {
    return QString::asprintf("%.2fmm", fontsize * 1.1111111 * 0.0254);
}

QString handGapLabel(int stavegap, int fontsize) {
    return QString::asprintf("%.2fmm", stavegap * fontsize * 0.5555555 * 0.0254);
}

bool leadInChoicesEnabled(const CScore& score) {
    const int32_t first = firstShownNoteTick(score);
    return first != kNoShownNote && first > 0;
}

int approximateLinesPerPage(const std::vector<int>& c) {
    const int pages = static_cast<int>(c.size());
    int lines = 0;
    for (int n : c)
        lines += n;
    if (pages <= 1) return lines;
    int middle = 0;  // lines of every page but the first and the last
    for (int i = 1; i + 1 < pages; ++i)
        middle += c[static_cast<size_t>(i)];
    const int first = c.front();
    const int last = c.back();
    double value = 0;
    if (last < first) {
        if (pages > 2)
            value = double(middle) / (pages - 2);
        else
            value = std::max(double(first + 1), lines / 2.0);
    } else {
        value = double(middle + last + 1) / (pages - 1);
    }
    return roundHalfAway(value);
}

int approximateLinesPerPage(const CScore& score) {
    std::vector<int> counts;
    counts.reserve(score.pages.size());
    for (const CScorePage& page : score.pages)
        counts.push_back(page.lineCount);
    if (counts.empty()) return static_cast<int>(score.lines.size());
    return approximateLinesPerPage(counts);
}

}  // namespace ks
