#include "NoteText.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ks::samples {

namespace {

bool parsePitch(const QString& text, int32_t& pitch) {
    static const QRegularExpression re(QStringLiteral("^([A-G])([#b]?)(-?\\d)$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return false;
    static const int32_t steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int32_t p = steps[m.captured(1)[0].unicode() - 'A'] + 12 * (m.captured(3).toInt() + 1);
    if (m.captured(2) == u"#") ++p;
    if (m.captured(2) == u"b") --p;
    pitch = p;
    return pitch >= 0 && pitch <= 127;
}

bool parseLength(QString text, int32_t ppqn, int32_t& length) {
    bool dotted = text.endsWith(u'.');
    if (dotted) text.chop(1);
    int32_t quarters16 = 0;  // sixteenths of a whole note
    if (text == u"w")
        quarters16 = 16;
    else if (text == u"h")
        quarters16 = 8;
    else if (text == u"q")
        quarters16 = 4;
    else if (text == u"e")
        quarters16 = 2;
    else if (text == u"s")
        quarters16 = 1;
    else
        return false;
    length = ppqn * quarters16 / 4;
    if (dotted) length += length / 2;
    return true;
}

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "make-samples: %s\n", qPrintable(what));
    std::exit(1);
}

}  // namespace

bool parseVoice(const QString& text, int32_t start, int32_t barLength, int32_t ppqn,
                std::vector<Entered>& out, QString& error) {
    int32_t time = start;
    int32_t barStart = start;
    int bar = 1;
    QString spaced = text;
    spaced.replace(u'|', QStringLiteral(" | "));
    const QStringList tokens =
        spaced.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    auto closeBar = [&]() {
        if (time - barStart != barLength) {
            error = QStringLiteral("bar %1 of \"%2...\" lasts %3 ticks, not %4")
                        .arg(bar)
                        .arg(text.left(30))
                        .arg(time - barStart)
                        .arg(barLength);
            return false;
        }
        barStart = time;
        ++bar;
        return true;
    };
    for (const QString& token : tokens) {
        if (token == u"|") {
            if (!closeBar()) return false;
            continue;
        }
        const qsizetype slash = token.lastIndexOf(u'/');
        Entered e;
        e.time = time;
        if (slash < 0 || !parseLength(token.mid(slash + 1), ppqn, e.duration)) {
            error = QStringLiteral("bad length in \"%1\"").arg(token);
            return false;
        }
        const QString head = token.left(slash);
        if (head != u"r") {
            for (const QString& p : head.split(u'+')) {
                int32_t pitch = 0;
                if (!parsePitch(p, pitch)) {
                    error = QStringLiteral("bad pitch in \"%1\"").arg(token);
                    return false;
                }
                e.pitches.push_back(pitch);
            }
        }
        out.push_back(e);
        time += e.duration;
    }
    return time == barStart || closeBar();
}

void addVoice(CTrack& track, const QString& text, int32_t start, int32_t barLength, int32_t ppqn) {
    std::vector<Entered> entered;
    QString error;
    if (!parseVoice(text, start, barLength, ppqn, entered, error)) fail(error);
    for (const Entered& e : entered)
        for (int32_t p : e.pitches)
            track.addNote(CNote{.time = e.time, .duration = e.duration, .pitch = p});
}

void addLyrics(CTrack& track, const QString& voice, const QString& syllables, int verse,
               int32_t start, int32_t barLength, int32_t ppqn) {
    std::vector<Entered> entered;
    QString error;
    if (!parseVoice(voice, start, barLength, ppqn, entered, error)) fail(error);
    const QStringList words = syllables.split(u' ', Qt::SkipEmptyParts);
    size_t next = 0;
    for (const QString& w : words) {
        while (next < entered.size() && entered[next].pitches.empty())
            ++next;
        if (next >= entered.size()) fail(QStringLiteral("more syllables than notes: ") + syllables);
        if (w != u"_") {
            CEvent lyric;
            lyric.type = EventType::Lyric;
            lyric.time = entered[next].time;
            lyric.setKey(60);
            lyric.data[0] = verse;
            lyric.text = w;
            track.addEvent(lyric);
        }
        ++next;
    }
}

CEvent annotation(int32_t time, int32_t key, char16_t symbol, const QString& words) {
    CEvent e;
    e.type = EventType::Annotation;
    e.time = time;
    e.setKey(key);
    if (symbol > 0) {
        e.data[0] = 1;
        e.text = QString(QChar(symbol));
    }
    e.text += words;
    return e;
}

void placeTitleBoxes(CScore& score) {
    // Boxes one text line high: the cell of the default title and subtitle fonts is
    // about 1.36 times their em.
    constexpr int32_t kLeft = 500, kRight = 7767, kTop = 500;
    const int32_t titleHeight = 8 * std::min(score.prefs.fontsize, 61) * 136 / 100;
    const int32_t subtitleHeight = 300 * 136 / 100;
    score.titleBox = CTextBox{.text = score.title,
                              .name = QStringLiteral("Title"),
                              .left = kLeft,
                              .top = kTop,
                              .right = kRight,
                              .bottom = kTop + titleHeight};
    score.titleBox.splitLines();
    const int32_t subTop = score.titleBox.bottom;
    score.subtitleBox = CTextBox{.text = score.subtitle,
                                 .name = QStringLiteral("Subtitle"),
                                 .left = kLeft,
                                 .top = subTop,
                                 .right = kRight,
                                 .bottom = subTop + subtitleHeight};
    score.subtitleBox.splitLines();
    // The artist's line starts a little below the subtitle (textoffset1 counts units down
    // from the title box's bottom).
    const double u = score.prefs.fontsize * 0.5555555;
    score.prefs.textoffset1 = static_cast<int32_t>((subtitleHeight + 40) / u + 0.5);
}

CEvent wedge(int32_t type, int32_t time, int32_t length, int32_t key) {
    CEvent e;
    e.type = type;
    e.time = time;
    e.data[0] = length;
    e.setKey(key);
    return e;
}

}  // namespace ks::samples
