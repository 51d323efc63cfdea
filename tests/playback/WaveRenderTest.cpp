#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>

#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "playback/WaveRender.h"

using namespace ks;

namespace {

constexpr int kRate = 44100;

RenderOptions testOptions() {
    RenderOptions o;
    o.synth.gain = 1.0;
    o.synth.reverb = false;
    o.synth.chorus = false;
    return o;
}

// One bar of 4/4 at 120 bpm (a tick is 1/192 s) played on an organ, whose sound starts
// and stops sharply: a crotchet at 0.5 s and a quaver at 1.5 s.
CScore organScore() {
    CScore s;
    s.setLength(384);
    setPlaybackTempo(s, 120);
    s.midi.program = 16;
    s.addTrack(CTrack{});
    s.parts[0] = 1;
    s.tracks[0].notes.Add({.time = 96, .duration = 96, .pitch = 60, .velocity = 100});
    s.tracks[0].notes.Add({.time = 288, .duration = 48, .pitch = 67, .velocity = 100});
    return s;
}

struct Rendered {
    RenderResult result;
    std::vector<int16_t> samples;  // interleaved stereo
};

Rendered render(const CScore& s) {
    Rendered r;
    r.result = renderPerformance(s, testOptions(), [&](const int16_t* p, int frames) {
        r.samples.insert(r.samples.end(), p, p + 2 * frames);
        return true;
    });
    return r;
}

// Stretches of sound: for each millisecond, whether the loudest sample of the 4 ms
// around it (longer than a period of the notes played) reaches two fifths of the loudest
// sample overall; the times in seconds where such stretches start and end. Gaps shorter
// than 10 ms (the wobble of a dying note) do not end a stretch.
std::vector<std::pair<double, double>> soundingStretches(const std::vector<int16_t>& samples) {
    const long step = kRate / 1000;
    const long frames = static_cast<long>(samples.size() / 2);
    int peak = 0;
    for (int16_t v : samples)
        peak = std::max(peak, std::abs(int(v)));
    std::vector<std::pair<double, double>> stretches;
    for (long at = 0; at < frames; at += step) {
        int loudest = 0;
        for (long i = std::max(at - 2 * step, 0L); i < std::min(at + 2 * step, frames); ++i)
            loudest = std::max({loudest, std::abs(int(samples[size_t(2 * i)])),
                                std::abs(int(samples[size_t(2 * i + 1)]))});
        const bool loud = loudest * 5 >= peak * 2;
        const double t = double(at) / kRate;
        if (!loud) continue;
        if (stretches.empty() || t - stretches.back().second > 0.010) stretches.push_back({t, t});
        stretches.back().second = t;
    }
    return stretches;
}

}  // namespace

TEST(WaveRender, SoundStartsAndStopsWhereTheNotesDo) {
    const Rendered r = render(organScore());
    ASSERT_TRUE(r.result.ok) << r.result.message.toStdString();
    EXPECT_EQ(r.result.frames * 2, static_cast<int64_t>(r.samples.size()));
    EXPECT_GE(r.result.frames, 2 * kRate);  // the whole bar, then the tail

    const auto stretches = soundingStretches(r.samples);
    ASSERT_EQ(stretches.size(), 2u);
    // Note-ons at 96 and 288 ticks; note-offs after 15/16 of the lengths, at 186 and 333.
    const double tick = 1.0 / 192;
    EXPECT_NEAR(stretches[0].first, 96 * tick, 0.025);
    EXPECT_NEAR(stretches[0].second, 186 * tick, 0.025);
    EXPECT_NEAR(stretches[1].first, 288 * tick, 0.025);
    EXPECT_NEAR(stretches[1].second, 333 * tick, 0.025);

    // Silence before the first note and at the very end.
    for (size_t i = 0; i < size_t(0.49 * kRate) * 2; ++i)
        ASSERT_EQ(r.samples[i], 0) << i;
    EXPECT_EQ(r.samples.back(), 0);

    // The same score renders the same audio.
    EXPECT_EQ(render(organScore()).samples, r.samples);
}

TEST(WaveRender, RepeatsAreUnrolled) {
    CScore s = organScore();
    s.bars[0].styleRight = 3;
    const Rendered r = render(s);
    ASSERT_TRUE(r.result.ok);
    const auto stretches = soundingStretches(r.samples);
    ASSERT_EQ(stretches.size(), 4u);
    EXPECT_NEAR(stretches[2].first, 2.0 + 96.0 / 192, 0.025);
    EXPECT_GE(r.result.frames, 4 * kRate);
}

TEST(WaveRender, WritesAWavFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.wav"));
    const RenderResult result = renderPerformanceToWav(organScore(), path, testOptions());
    ASSERT_TRUE(result.ok);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), 44 + result.frames * 4);
    const char* h = bytes.constData();
    EXPECT_EQ(QByteArray(h, 4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 4), quint32(bytes.size() - 8));
    EXPECT_EQ(QByteArray(h + 8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 16), 16u);
    EXPECT_EQ(qFromLittleEndian<quint16>(h + 20), 1);  // PCM
    EXPECT_EQ(qFromLittleEndian<quint16>(h + 22), 2);
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 24), quint32(kRate));
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 28), quint32(kRate * 4));
    EXPECT_EQ(qFromLittleEndian<quint16>(h + 32), 4);
    EXPECT_EQ(qFromLittleEndian<quint16>(h + 34), 16);
    EXPECT_EQ(QByteArray(h + 36, 4), "data");
    EXPECT_EQ(qFromLittleEndian<quint32>(h + 40), quint32(result.frames * 4));
}

TEST(WaveRender, FailuresWriteNothingAndSayWhy) {
    QTemporaryDir dir;
    // Into a folder that does not exist.
    RenderResult r =
        renderPerformanceToWav(organScore(), dir.filePath("no/such/out.wav"), testOptions());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("Error: Unable to write the audio file"));

    // Longer than a WAV file can hold: refused before any audio is made.
    CScore s = organScore();
    setPlaybackTempo(s, 20);
    s.setLength(100000 * 384);
    const QString path = dir.filePath(QStringLiteral("long.wav"));
    r = renderPerformanceToWav(s, path, testOptions());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("The performance is too long for an audio file."));
    EXPECT_FALSE(QFile::exists(path));

    // Without a sound font.
    RenderOptions o = testOptions();
    o.synth.soundFont = dir.filePath(QStringLiteral("missing.sf2"));
    r = renderPerformanceToWav(organScore(), path, o);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("The General MIDI sound font could not be loaded."));
    EXPECT_FALSE(QFile::exists(path));
}
