#include "app/finder/FinderFormat.h"

#include "app/finder/FinderTextIds.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

namespace ks {

namespace {

QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}

}  // namespace

QString clockText(const QString& format, const CFileTime& time) {
    QString out;
    out.reserve(format.size() + 8);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        const QChar next = format[i + 1];
        ++i;
        if (next == u'Y') {
            out += QString::number(time.year);
        } else if (next == u'm') {
            out += twoDigits(time.month);
        } else if (next == u'd') {
            out += twoDigits(time.day);
        } else if (next == u'H') {
            out += twoDigits(time.hour);
        } else if (next == u'M') {
            out += twoDigits(time.minute);
        } else if (next == u'S') {
            out += twoDigits(time.second);
        } else if (next == u'B') {
            if (time.month >= 1 && time.month <= 12)
                out += text(FinderText::January + time.month - 1);
        } else if (next == u'%') {
            out += u'%';
        } else if (next == u'#' && i + 1 < format.size() && format[i + 1] == u'd') {
            out += QString::number(time.day);
            ++i;
        } else {
            out += c;
            out += next;
        }
    }
    return out;
}

QString sizeText(int64_t bytes) {
    const int64_t kb = bytes <= 0 ? 0 : (bytes + 1023) / 1024;
    return formatText(text(FinderText::Kilobytes), {kb});
}

QString dateText(const CFileTime& time) {
    if (time.isEmpty()) return {};
    return clockText(QStringLiteral("%d/%m/%Y %H:%M"), time);
}

QString summaryText(int fileCount, int64_t scanTime, int64_t now) {
    const CFileTime scanned = CFileTime::fromSeconds(scanTime);
    const CFileTime today = CFileTime::fromSeconds(now);
    const bool sameDay =
        scanned.year == today.year && scanned.month == today.month && scanned.day == today.day;
    const QString when =
        clockText(text(sameDay ? FinderText::ScannedAt : FinderText::ScannedOn), scanned);
    return formatText(text(FinderText::Summary), {int64_t(fileCount), when});
}

QString barsText(int bars) {
    if (bars == 1) return text(FinderText::OneBar);
    return formatText(text(FinderText::Bars), {int64_t(bars)});
}

QString pagesText(int pages) {
    if (pages == 1) return text(FinderText::OnePage);
    return formatText(text(FinderText::Pages), {int64_t(pages)});
}

QString lengthText(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);
    return formatText(text(FinderText::Length), {seconds / 60, seconds % 60});
}

}  // namespace ks
