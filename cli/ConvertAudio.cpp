#include "ConvertAudio.h"

#include <cstdio>

#include "model/TextTable.h"
#include "playback/WaveRender.h"
#include "storage/ScoreReader.h"

namespace ks::cli {

bool isAudioPath(const QString& path) {
    return path.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive);
}

int convertToAudio(const QString& in, const QString& out) {
    const auto fail = [](const QString& message) {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        return 1;
    };
    CScore score;
    const ReadResult read = readAnyScoreFile(in, score, nullptr);
    if (!read.ok) return fail(text(read.messageId));
    const RenderResult result = renderPerformanceToWav(score, out, RenderOptions{});
    return result.ok ? 0 : fail(result.message);
}

}  // namespace ks::cli
