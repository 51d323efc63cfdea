// The texts the file finder shows: sizes, dates, the summary under the list and the
// facts of a score file. Formats come from the text table.
#pragma once

#include <QString>
#include <cstdint>

#include "app/finder/FileIndexRecords.h"

namespace ks {

// `format` with the conversions %Y %m %d %#d (day without a leading zero) %H %M %S %B
// (month name from the text table) and %% replaced from `time`; other text is kept.
QString clockText(const QString& format, const CFileTime& time);

// "%dkb": whole kilobytes, rounded up so that a file that is not empty never shows 0.
QString sizeText(int64_t bytes);
// "%d/%m/%Y %H:%M"; empty for the empty time.
QString dateText(const CFileTime& time);

// "%d Files found" with "Scanned at %H:%M" when the scan was made on the day of `now`,
// else "Scanned on %B %#d" (local time).
QString summaryText(int fileCount, int64_t scanTime, int64_t now);

// "1 Bar" or "%d Bars", "1 Page" or "%d Pages", "Length %2d:%02d".
QString barsText(int bars);
QString pagesText(int pages);
QString lengthText(int64_t seconds);

}  // namespace ks
