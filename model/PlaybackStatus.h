// Texts of the status bar that follow the playback, and where the playback cursor goes
// as the play position moves. Plain functions, so the view only shows their results; the
// view passes the formats from the text table.
#pragma once

#include <QString>
#include <cstdint>

namespace ks {

class CScore;
class CPlayBackMap;

// "%2d/%d/%d  /  %d": bar (1-based), beat in the bar (1-based), ticks into the beat and
// the bar count, for a position in score ticks. The bar is at most the last bar.
QString statusPositionText(const CScore& score, int32_t scoreTick,
                           const QString& format = QStringLiteral("%2d/%d/%d  /  %d"));

// " %.2d:%.2d / %.2d:%.2d": minutes and seconds of `positionTicks` and of the whole
// performance (the score length through the performance map), at the playback tempo.
QString statusTimeText(const CScore& score, const CPlayBackMap& map, int32_t positionTicks,
                       const QString& format = QStringLiteral(" %.2d:%.2d / %.2d:%.2d"));

// The playing time of the whole performance (the score length through the performance
// map) in whole seconds, at the playback tempo.
int64_t performanceSeconds(const CScore& score, const CPlayBackMap& map);

// " %dbpm ".
QString statusTempoText(int32_t bpm, const QString& format = QStringLiteral(" %dbpm "));

// The playback cursor for play position `playTime`: snapped down to a beat of the bar
// being played (cursor step 0) or to a 32nd note (cursor step 1), and at most the
// performance length.
int32_t followCursorTime(const CScore& score, const CPlayBackMap& map, int32_t playTime,
                         int32_t cursorstep);

// The playback cursor one bar back (direction < 0: to the start of its bar, or of the
// previous bar when it stands at a bar start) or forward (to the start of the next bar),
// in performance ticks and within 0 .. the performance length.
int32_t steppedPlaybackCursor(const CScore& score, const CPlayBackMap& map, int32_t cursor,
                              int direction);

}  // namespace ks
