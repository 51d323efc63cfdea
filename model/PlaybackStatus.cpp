#include "PlaybackStatus.h"

#include <algorithm>

#include "PlayBackMap.h"
#include "PlaybackTempo.h"
#include "Score.h"

namespace ks {

namespace {

QString minutesAndSeconds(int64_t ticks, int32_t bpm, int32_t ppqn) {
    const int64_t seconds = std::max<int64_t>(ticks, 0) * 60 / std::max(bpm, 1) / std::max(ppqn, 1);
    return QString::asprintf("%.2d:%.2d", int(seconds / 60), int(seconds % 60));
}

}  // namespace

QString statusPositionText(const CScore& score, int32_t scoreTick) {
    const int32_t count = score.barCount();
    const int32_t bar =
        std::clamp(score.barAtTick(std::max(scoreTick, 0)), 0, std::max(count - 1, 0));
    const int64_t into = int64_t(std::max(scoreTick, 0)) - score.barStart(bar);
    const int32_t beat = score.beatLength(bar);
    return QString::asprintf("%2d/%d/%d  /  %d", bar + 1, int(into / beat) + 1, int(into % beat),
                             count);
}

QString statusTimeText(const CScore& score, const CPlayBackMap& map, int32_t positionTicks) {
    const int32_t bpm = playbackTempo(score);
    return QStringLiteral(" ") + minutesAndSeconds(positionTicks, bpm, score.ppqn) +
           QStringLiteral(" / ") +
           minutesAndSeconds(map.ScoreToPlay(score.length), bpm, score.ppqn);
}

QString statusTempoText(int32_t bpm) {
    return QString::asprintf(" %dbpm ", bpm);
}

int32_t followCursorTime(const CScore& score, const CPlayBackMap& map, int32_t playTime,
                         int32_t cursorstep) {
    const int32_t step = cursorstep == 1
                             ? std::max(score.ppqn >> 3, 1)
                             : score.beatLength(score.barAtTick(map.PlayToScore(playTime)));
    const int32_t snapped = playTime - ((playTime % step) + step) % step;
    return std::min(snapped, map.ScoreToPlay(score.length));
}

}  // namespace ks
