#include "PlaybackStatus.h"

#include <algorithm>

#include "PlayBackMap.h"
#include "PlaybackTempo.h"
#include "Score.h"
#include "TextFormat.h"

namespace ks {

namespace {

int64_t secondsOf(int64_t ticks, int32_t bpm, int32_t ppqn) {
    return std::max<int64_t>(ticks, 0) * 60 / std::max(bpm, 1) / std::max(ppqn, 1);
}

}  // namespace

QString statusPositionText(const CScore& score, int32_t scoreTick, const QString& format) {
    const int32_t count = score.barCount();
    const int32_t bar =
        std::clamp(score.barAtTick(std::max(scoreTick, 0)), 0, std::max(count - 1, 0));
    const int64_t into = int64_t(std::max(scoreTick, 0)) - score.barStart(bar);
    const int32_t beat = score.beatLength(bar);
    return formatText(format, {int64_t(bar) + 1, into / beat + 1, into % beat, int64_t(count)});
}

QString statusTimeText(const CScore& score, const CPlayBackMap& map, int32_t positionTicks,
                       const QString& format) {
    const int32_t bpm = playbackTempo(score);
    const int64_t now = secondsOf(positionTicks, bpm, score.ppqn);
    const int64_t total = performanceSeconds(score, map);
    return formatText(format, {now / 60, now % 60, total / 60, total % 60});
}

int64_t performanceSeconds(const CScore& score, const CPlayBackMap& map) {
    return secondsOf(map.ScoreToPlay(score.length), playbackTempo(score), score.ppqn);
}

QString statusTempoText(int32_t bpm, const QString& format) {
    return formatText(format, {int64_t(bpm)});
}

int32_t followCursorTime(const CScore& score, const CPlayBackMap& map, int32_t playTime,
                         int32_t cursorstep) {
    const int32_t step = cursorstep == 1
                             ? std::max(score.ppqn >> 3, 1)
                             : score.beatLength(score.barAtTick(map.PlayToScore(playTime)));
    const int32_t snapped = playTime - ((playTime % step) + step) % step;
    return std::min(snapped, map.ScoreToPlay(score.length));
}

int32_t steppedPlaybackCursor(const CScore& score, const CPlayBackMap& map, int32_t cursor,
                              int direction) {
    const int32_t end = map.ScoreToPlay(score.length);
    cursor = std::clamp(cursor, 0, std::max(end, 0));
    const int32_t at = map.PlayToScore(cursor);
    const int32_t bar = std::clamp(score.barAtTick(at), 0, std::max(score.barCount() - 1, 0));
    const int32_t start = score.barStart(bar);
    int64_t target = cursor;
    if (direction < 0)
        target -= at > start ? int64_t(at) - start
                             : int64_t(start) - score.barStart(std::max(bar - 1, 0));
    else if (direction > 0)
        target += int64_t(score.barStart(bar + 1)) - at;
    return static_cast<int32_t>(std::clamp<int64_t>(target, 0, std::max(end, 0)));
}

}  // namespace ks
