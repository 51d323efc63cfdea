// keystave-font-specimen: renders review pages of the music font "Keystave".
//
//   keystave-font-specimen OUTDIR [DPI]
//
// Writes OUTDIR/specimen-stave.png (a keystave line drawn with the placement rules of
// the note and mark drawing, at fontsize 107 and DPI dots per inch, 600 by default),
// OUTDIR/specimen-conventional.png (a conventional staff with accidentals and letter notes),
// OUTDIR/specimen-glyphs.png (every role glyph with its cell, baseline and advance) and
// OUTDIR/specimen-symbols.png (the symbol dialog's 111 symbols, 45 pixels high).
// Page coordinates are thousandths of an inch, y downward, as in the layout.
#include "resources/MusicFont.h"
#include "resources/MusicGlyphs.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

int roundAway(double v) {
    return v < 0 ? int(v - 0.5) : int(v + 0.5);
}

QFont keystave(double em) {
    QFont f(QString::fromLatin1(ks::kMusicFontFamily));
    f.setPixelSize(roundAway(em));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::NoFontMerging);
    return f;
}

QFont serif(double em, bool bold) {
    QFont f(QStringLiteral("Noto Serif"));
    f.setPixelSize(std::max(1, roundAway(em)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Draws one character with the top-left corner of its cell at (x, top).
void glyphAt(QPainter& p, const QFont& f, char16_t code, double x, double top) {
    p.setFont(f);
    p.drawText(QPointF(x, top + QFontMetricsF(f).ascent()), QString(QChar(code)));
}

double advance(const QFont& f, char16_t code) {
    return QFontMetricsF(f).horizontalAdvance(QChar(code));
}

// One keystave line of stave type 0 with the hands meeting at middle C.
struct Line {
    int fontsize = 107;
    double u = 0;
    int s = 0;     // u rounded: one stave position
    double H = 0;  // cell height of "6"
    int w = 0;     // pen width
    int originY = 0;
    int handGap = 0;
    QFont music, large, small;

    explicit Line(int size, int origin) : fontsize(size), originY(origin) {
        music = keystave(fontsize);
        H = QFontMetricsF(music).height();
        u = H / 2.3333;
        s = roundAway(u);
        w = roundAway(H / 6);
        large = keystave(roundAway(16 * u));
        small = keystave(roundAway(8 * u));
    }
    static int position(int p) {
        static const int t14[12] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12};
        return (p / 12) * 14 + t14[p % 12];
    }
    int y(int p) const {
        const int c = position(p);
        return p >= 60 ? originY - s * (c - 60) : originY + s * (handGap + 60 - c);
    }
    double yFrac(double pitch) const {
        const int p = int(std::floor(pitch));
        return y(p) + (y(p + 1) - y(p)) * (pitch - p);
    }
    static bool isBlack(int p) {
        static const bool black[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
        return black[p % 12];
    }
    double headTop(int p) const { return y(p) - H / 2; }
    double W() const { return advance(music, ks::glyph::HeadFilled); }
};

struct Note {
    std::vector<int> pitches;
    char16_t head;
    int flags;  // 0..3
    int dots;
    int stem;  // +1 up, -1 down, 0 none
};

void drawChord(QPainter& p, const Line& L, double x, const Note& n, QColor colour = Qt::black) {
    const double W = L.W();
    int lo = n.pitches.front(), hi = n.pitches.front();
    for (int pitch : n.pitches) {
        lo = std::min(lo, pitch);
        hi = std::max(hi, pitch);
    }
    // Ledger lines above the stave's default top, for the note's whole black-key group.
    if (hi > 76) {
        int groupTop = hi;
        while (groupTop % 12 != 4 && groupTop % 12 != 11)
            ++groupTop;
        p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::SquareCap));
        for (int q = 77; q <= groupTop; ++q)
            if (Line::isBlack(q))
                p.drawLine(QPointF(x - L.s, L.y(q)), QPointF(x + 5 * L.s, L.y(q)));
    }
    int prev = -100;
    bool prevShifted = false;
    for (int pitch : n.pitches) {
        double shift = 0;
        if (pitch == prev + 1 && pitch % 12 != 0 && pitch % 12 != 5 && !prevShifted)
            shift = n.stem < 0 ? -W * 17 / 24 : W - L.w;
        prevShifted = shift != 0;
        prev = pitch;
        const double top = L.headTop(pitch);
        if (colour == Qt::black) {
            p.setPen(Qt::black);
            glyphAt(p, L.music, n.head, x + shift, top);
        } else {
            p.setPen(Qt::black);
            glyphAt(p, L.music, char16_t(n.head + ks::glyph::OuterLayerOffset), x + shift, top);
            p.setPen(colour);
            glyphAt(p, L.music, char16_t(n.head + ks::glyph::InnerLayerOffset), x + shift, top);
            p.setPen(Qt::black);
        }
        for (int k = 0; k < n.dots; ++k) {
            const double dotTop = top - (Line::isBlack(pitch) ? roundAway(L.u / 2) : 0);
            glyphAt(p, L.music, ks::glyph::Dot,
                    x + shift + W + roundAway(L.u / 2) + k * roundAway(0.75 * L.u), dotTop);
        }
    }
    if (n.stem == 0) return;
    p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::FlatCap));
    if (n.stem > 0) {
        const double sx = x + W - L.w * 12.0 / 16;
        const double y0 = L.headTop(lo) + roundAway(L.u);
        const double y1 = L.headTop(hi) - roundAway(7 * L.u);
        p.drawLine(QPointF(sx, y0), QPointF(sx, y1));
        for (int k = 0; k < n.flags; ++k)
            glyphAt(p, L.large, n.flags == 1 ? ks::glyph::FlagUp : ks::glyph::FlagUpRepeated, sx,
                    y1 + k * 2 * L.u);
    } else {
        const double sx = x + L.w * 10.0 / 16;
        const double y0 = L.headTop(hi) + roundAway(L.u);
        const double y1 = L.headTop(lo) + roundAway(8 * L.u);
        p.drawLine(QPointF(sx, y0), QPointF(sx, y1));
        for (int k = 0; k < n.flags; ++k)
            glyphAt(p, L.large, n.flags == 1 ? ks::glyph::FlagDown : ks::glyph::FlagDownRepeated,
                    sx - L.w / 2.0, y1 - k * 2 * L.u);
    }
}

void centredGlyph(QPainter& p, const QFont& f, char16_t code, double cx, double top) {
    glyphAt(p, f, code, cx - advance(f, code) / 2, top);
}

// Text of an annotation: a leading symbol in the symbol font, then words at half its em,
// both with their tops on the same line.
void annotation(QPainter& p, const Line& L, char16_t symbol, const QString& words, double x,
                double top, int userHeight = 130) {
    const QFont sym = keystave(roundAway(L.u) * userHeight / 15.0);
    glyphAt(p, sym, symbol, x, top);
    if (!words.isEmpty()) {
        const QFont word = serif(roundAway(L.u) * userHeight / 30.0, false);
        p.setFont(word);
        p.drawText(QPointF(x + advance(sym, symbol), top + QFontMetricsF(word).ascent()), words);
    }
}

QImage staveSpecimen(double dpi) {
    const double pageW = 11000, pageH = 4300;
    QImage img(int(pageW * dpi / 1000), int(pageH * dpi / 1000), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(dpi / 1000, dpi / 1000);

    Line L(107, 2900);
    const double x0 = 500, x1 = 10800;
    // Stave lines at the black keys of the default range, 41 to 76.
    p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::SquareCap));
    for (int q = 41; q <= 76; ++q)
        if (Line::isBlack(q)) p.drawLine(QPointF(x0, L.y(q)), QPointF(x1, L.y(q)));
    p.drawLine(QPointF(x0, L.y(75)), QPointF(x0, L.y(42)));
    p.drawLine(QPointF(x1, L.y(75)), QPointF(x1, L.y(42)));

    // Stave-start brace: font height (38 + gap) u, drawn 150 wide, top at pitch 75.
    {
        const QFont brace = keystave(roundAway((38 + L.handGap) * L.u));
        const double adv = advance(brace, ks::glyph::StaveStart);
        p.save();
        p.translate(x0 - L.w - 150, L.y(75));
        p.scale(150 / adv, 1);
        p.setPen(Qt::black);
        glyphAt(p, brace, ks::glyph::StaveStart, 0, 0);
        p.restore();
    }
    double x = x0 + L.u;
    p.setPen(Qt::black);
    glyphAt(p, L.large, ks::glyph::ClefUpper, x, L.y(76) - roundAway(L.u));
    glyphAt(p, L.large, ks::glyph::ClefLower, x, L.y(56));
    x += 9 * L.u;
    // D major key signature: seven diamonds at one x; black keys shifted right.
    const double dw = advance(L.music, ks::glyph::DiamondBlackKey);
    for (int step : {0, 2, 4, 5, 7, 9, 11}) {
        const int pitch = 62 + step;
        const bool black = Line::isBlack(pitch);
        glyphAt(p, L.music, black ? ks::glyph::DiamondBlackKey : ks::glyph::DiamondWhiteKey,
                x + (black ? dw / 2 : 0), L.headTop(pitch));
    }
    x += 4 * L.u;
    // Time signature 3/4 in the letter font.
    {
        const QFont letter = serif(roundAway(7 * L.u), true);
        const QFontMetricsF fm(letter);
        p.setFont(letter);
        p.drawText(QPointF(x, L.y(70) - fm.descent()), QStringLiteral("3"));
        p.drawText(QPointF(x, L.y(65) - fm.descent()), QStringLiteral("4"));
        x += 2 * L.u + fm.horizontalAdvance(QStringLiteral("3"));
    }
    x += 3 * L.u;

    // Right hand.
    const std::vector<std::pair<double, Note>> right = {
        {0, {{62, 66, 69}, ks::glyph::HeadFilled, 0, 0, +1}},
        {9, {{73}, ks::glyph::HeadFilled, 1, 0, +1}},
        {14, {{74}, ks::glyph::HeadFilled, 1, 1, -1}},
        {21, {{71, 73}, ks::glyph::HeadFilled, 2, 0, -1}},
        {26, {{64, 65}, ks::glyph::HeadFilled, 3, 0, +1}},
        {31, {{66}, ks::glyph::HeadHollow, 0, 1, -1}},
        {44, {{80}, ks::glyph::HeadFilled, 2, 0, -1}},
        {49, {{69}, ks::glyph::HeadFilled, 1, 2, +1}},
        {58, {{78}, ks::glyph::HeadWhole, 0, 0, 0}},
        {67, {{61, 62}, ks::glyph::HeadHollow, 0, 0, -1}},
    };
    for (const auto& [dx, n] : right)
        drawChord(p, L, x + dx * L.u, n);
    // Left hand.
    const std::vector<std::pair<double, Note>> left = {
        {0, {{50, 54}, ks::glyph::HeadHollow, 0, 0, -1}},
        {14, {{45}, ks::glyph::HeadFilled, 0, 0, +1}},
        {21, {{57}, ks::glyph::HeadFilled, 0, 0, -1}},
        {31, {{43, 55}, ks::glyph::HeadFilled, 1, 0, -1}},
        {49, {{49}, ks::glyph::HeadFilled, 0, 0, +1}},
    };
    for (const auto& [dx, n] : left)
        drawChord(p, L, x + dx * L.u, n);

    // Coloured heads: black outer layer, octave colour inside.
    drawChord(p, L, x + 76 * L.u, {{60, 64, 67}, ks::glyph::HeadFilled, 0, 0, +1},
              QColor(0, 0, 224));
    drawChord(p, L, x + 84 * L.u, {{58}, ks::glyph::HeadHollow, 0, 0, +1}, QColor(224, 128, 0));
    drawChord(p, L, x + 92 * L.u, {{72}, ks::glyph::HeadWhole, 0, 0, 0}, QColor(0, 192, 0));

    // Rests of part 0 (large font, base 71.5) and part 1 (small font, base 63) and of
    // parts 2 (large, 52.5) and 3 (small, 46), centred on x.
    const char16_t rests[] = {ks::glyph::RestWhole,  ks::glyph::RestHalf, ks::glyph::RestQuarter,
                              ks::glyph::RestEighth, ks::glyph::Rest16th, ks::glyph::Rest32nd};
    double rx = x + 100 * L.u;
    for (char16_t r : rests) {
        centredGlyph(p, L.large, r, rx, L.yFrac(71.5));
        centredGlyph(p, L.small, r, rx, L.yFrac(63));
        centredGlyph(p, L.large, r, rx, L.yFrac(52.5));
        rx += 5 * L.u;
    }
    // A dotted quarter rest: dot at the part's rest-dot pitch.
    glyphAt(p, L.music, ks::glyph::Dot, x + 90 * L.u + roundAway(2 * L.u), L.y(70));

    // Bar line, then a bar with a whole-bar rest in both hands.
    const double bar = x + 128 * L.u;
    p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(bar, L.y(75)), QPointF(bar, L.y(42)));
    const double barEnd = bar + 20 * L.u;
    p.setPen(Qt::black);
    centredGlyph(p, L.music, ks::glyph::BarRest, (bar + L.u + barEnd) / 2, L.y(71) + L.w / 2.0);
    centredGlyph(p, L.music, ks::glyph::BarRest, (bar + L.u + barEnd) / 2, L.y(52) + L.w / 2.0);
    // Repeat end at barEnd: dots, thin stroke, thick line.
    p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::FlatCap));
    for (double dx : {0.0, -L.w / 2.0, -double(L.w)})
        p.drawLine(QPointF(barEnd + dx, L.y(75)), QPointF(barEnd + dx, L.y(42)));
    p.drawLine(QPointF(barEnd - roundAway(1.5 * L.u), L.y(75)),
               QPointF(barEnd - roundAway(1.5 * L.u), L.y(42)));
    p.setPen(Qt::black);
    for (double dp : {67.5625, 69.5625, 50.5625, 52.5625})
        centredGlyph(p, L.large, ks::glyph::RepeatDot, barEnd - 2 * roundAway(1.5 * L.u),
                     L.yFrac(dp));

    // Marks: staccato and accent above a down-stem chord, fingering above the stave.
    const double mx = x + 14 * L.u + L.W() / 2;
    centredGlyph(p, L.large, ks::glyph::Staccato, mx, L.y(76) - roundAway(2.5 * L.u));
    centredGlyph(p, L.large, ks::glyph::Accent, x + 21 * L.u + L.W() / 2,
                 L.y(75) - roundAway(2.75 * L.u));
    for (int f = 0; f < 3; ++f)
        centredGlyph(p, L.large, char16_t(ks::glyph::Finger1 + f), x + L.W() / 2,
                     L.y(83) - f * roundAway(3 * L.u));

    // Annotations and tempo marks (symbol + words top-aligned).
    annotation(p, L, ks::glyph::TempoQuarter, QStringLiteral(" = 120"), x0, 300);
    {
        const QFont sym = keystave(roundAway(L.u) * 130 / 15.0);
        glyphAt(p, sym, ks::glyph::TempoQuarter, x0 + 1300, 300);
        glyphAt(p, sym, ks::glyph::TempoDot, x0 + 1300 + advance(sym, ks::glyph::TempoQuarter),
                300);
        const QFont word = serif(roundAway(L.u) * 130 / 30.0, false);
        p.setFont(word);
        p.drawText(QPointF(x0 + 1300 + advance(sym, ks::glyph::TempoQuarter) +
                               advance(sym, ks::glyph::TempoDot),
                           300 + QFontMetricsF(word).ascent()),
                   QStringLiteral(" = 80"));
    }
    annotation(p, L, 90, QString(), x0 + 2700, 300);
    annotation(p, L, 81, QString(), x0 + 5200, 300);
    annotation(p, L, 99, QString(), x0 + 6000, 300);
    const double low = L.y(41) + 300;
    annotation(p, L, 35, QStringLiteral(" dolce"), x + 0 * L.u, low);
    annotation(p, L, 38, QString(), x + 26 * L.u, low);
    annotation(p, L, 43, QString(), x + 44 * L.u, low);
    annotation(p, L, 95, QString(), x + 58 * L.u, low);
    annotation(p, L, 96, QString(), x + 80 * L.u, low);
    annotation(p, L, 123, QString(), x + 100 * L.u, low);
    return img;
}

// A conventional treble staff (stave types 3 and 4 in Page mode: large font 15 u): clef,
// heads with accidentals, rests, and letter-note heads.
QImage conventionalSpecimen(double dpi) {
    const double pageW = 7000, pageH = 1900;
    QImage img(int(pageW * dpi / 1000), int(pageH * dpi / 1000), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(dpi / 1000, dpi / 1000);

    Line L(107, 0);
    const QFont large = keystave(roundAway(15 * L.u));
    const int base = 3300;  // y of diatonic position 0
    auto position = [](int pitch) {
        static const int t7[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
        return (pitch / 12) * 7 + t7[pitch % 12];
    };
    auto y = [&](int pitch) { return base - L.s * position(pitch); };
    auto yFrac = [&](double pitch) {
        const int q = int(std::floor(pitch));
        return y(q) + (y(q + 1) - y(q)) * (pitch - q);
    };
    const double x0 = 300, x1 = 6800;
    p.setPen(QPen(Qt::black, L.w, Qt::SolidLine, Qt::SquareCap));
    for (int pitch : {64, 67, 71, 74, 77})
        p.drawLine(QPointF(x0, y(pitch)), QPointF(x1, y(pitch)));
    p.setPen(Qt::black);
    glyphAt(p, large, ks::glyph::ClefUpper, x0 + L.u, y(85) - roundAway(L.u));
    const double W = L.W();
    double x = x0 + 12 * L.u;
    // Heads with the accidental drawn 2 u left and 12.5 u above the head's cell top.
    const std::pair<int, char16_t> notes[] = {{66, ks::glyph::Sharp},   {70, ks::glyph::Flat},
                                              {72, ks::glyph::Natural}, {61, ks::glyph::Sharp},
                                              {75, ks::glyph::Flat},    {65, ks::glyph::Natural}};
    for (const auto& [pitch, acc] : notes) {
        const double top = y(pitch) - L.H / 2;
        glyphAt(p, large, acc, x - roundAway(2 * L.u), top - roundAway(12.5 * L.u));
        glyphAt(p, L.music, ks::glyph::HeadFilled, x, top);
        x += 9 * L.u;
    }
    // Rests of part 0 (base 76.5).
    for (char16_t r : {ks::glyph::RestWhole, ks::glyph::RestHalf, ks::glyph::RestQuarter,
                       ks::glyph::RestEighth, ks::glyph::Rest16th, ks::glyph::Rest32nd}) {
        centredGlyph(p, large, r, x, yFrac(76.5));
        x += 5 * L.u;
    }
    // Repeat dots at 70 + 0.5625 and 73 + 0.5625.
    for (double dp : {70.5625, 73.5625})
        centredGlyph(p, large, ks::glyph::RepeatDot, x, yFrac(dp));
    x += 4 * L.u;
    // Letter notes: background, coloured head, letter.
    const QFont letter = serif(roundAway(5.4 * L.u), true);
    const std::pair<int, const char*> letters[] = {{60, "C"}, {64, "E"}, {67, "G"}, {72, "C"}};
    int k = 0;
    for (const auto& [pitch, name] : letters) {
        const double top = y(pitch) - L.H / 2;
        p.setPen(Qt::white);
        glyphAt(p, L.music, ks::glyph::LetterHeadBackground, x, top);
        p.setPen(k % 2 ? QColor(224, 0, 0) : QColor(0, 0, 224));
        glyphAt(p, L.music, k % 2 ? ks::glyph::LetterHeadHollow : ks::glyph::LetterHeadFilled, x,
                top);
        p.setPen(k % 2 ? Qt::black : Qt::white);
        p.setFont(letter);
        const QFontMetricsF fm(letter);
        const QString text = QString::fromLatin1(name);
        p.drawText(QPointF(x + (W - fm.horizontalAdvance(text)) / 2, y(pitch) + fm.capHeight() / 2),
                   text);
        x += 7 * L.u;
        ++k;
    }
    return img;
}

// Every role glyph with its cell (blue), baseline (green) and advance (red).
QImage glyphSheet() {
    const int em = 180;
    QFont f = keystave(em);
    const QFontMetricsF fm(f);
    const int cols = 10;
    const double cellW = 560, cellH = fm.height() + 180;
    const int n = int(ks::glyph::kRoleCodes.size());
    QImage img(int(cols * cellW), int(((n + cols - 1) / cols) * cellH), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont label(QStringLiteral("Noto Sans"));
    label.setPixelSize(22);
    for (int i = 0; i < n; ++i) {
        const char16_t code = ks::glyph::kRoleCodes[i];
        const double x = (i % cols) * cellW + 120, top = (i / cols) * cellH + 120;
        const double adv = fm.horizontalAdvance(QChar(code));
        p.setPen(QPen(QColor(120, 160, 255), 1));
        p.drawRect(QRectF(x, top, adv, fm.height()));
        p.setPen(QPen(QColor(0, 170, 0), 1));
        p.drawLine(QPointF(x - 20, top + fm.ascent()), QPointF(x + adv + 20, top + fm.ascent()));
        p.setPen(QPen(QColor(230, 0, 0), 2));
        p.drawLine(QPointF(x + adv, top - 10), QPointF(x + adv, top + fm.height() + 10));
        p.setPen(Qt::black);
        glyphAt(p, f, code, x, top);
        p.setFont(label);
        p.drawText(QPointF(x - 100, top - 90), QStringLiteral("%1").arg(int(code)));
    }
    return img;
}

// The Insert Symbol dialog's grid: 45-pixel symbols on a 58 x 55 spacing, drawn 4x.
QImage symbolSheet() {
    const int scale = 4, cols = 12;
    const int n = int(ks::glyph::kSymbolCodes.size());
    QImage img(cols * 58 * scale, ((n + cols - 1) / cols) * 55 * scale, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QFont f = keystave(45);
    QFont label(QStringLiteral("Noto Sans"));
    label.setPixelSize(6);
    for (int i = 0; i < n; ++i) {
        const char16_t code = ks::glyph::kSymbolCodes[i];
        const double x = (i % cols) * 58, y = (i / cols) * 55;
        p.setPen(QPen(QColor(210, 210, 210), 0));
        p.drawRect(QRectF(x, y, 58, 55));
        p.setPen(Qt::black);
        glyphAt(p, f, code, x + 4, y + 2);
        p.setFont(label);
        p.setPen(QColor(150, 0, 0));
        p.drawText(QPointF(x + 2, y + 53), QString::number(int(code)));
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: keystave-font-specimen OUTDIR [DPI]\n");
        return 2;
    }
    if (!ks::loadMusicFont()) {
        std::fprintf(stderr, "the music font could not be loaded\n");
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const double dpi = argc > 2 ? std::atof(argv[2]) : 600;
    if (!out.exists() || dpi < 50 || dpi > 2400) {
        std::fprintf(stderr, "OUTDIR must exist and DPI lie within 50..2400\n");
        return 2;
    }
    bool ok = staveSpecimen(dpi).save(out.filePath(QStringLiteral("specimen-stave.png")));
    ok =
        conventionalSpecimen(dpi).save(out.filePath(QStringLiteral("specimen-conventional.png"))) &&
        ok;
    ok = glyphSheet().save(out.filePath(QStringLiteral("specimen-glyphs.png"))) && ok;
    ok = symbolSheet().save(out.filePath(QStringLiteral("specimen-symbols.png"))) && ok;
    return ok ? 0 : 1;
}
