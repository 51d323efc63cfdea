#include "ConvertAudio.h"

#include "playback/WaveRender.h"

namespace ks::cli {

bool isAudioPath(const QString& path) {
    return path.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive);
}

QString writeAudio(const CScore& score, const QString& out) {
    const RenderResult result = renderPerformanceToWav(score, out, RenderOptions{});
    return result.ok ? QString() : result.message;
}

}  // namespace ks::cli
