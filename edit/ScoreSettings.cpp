#include "ScoreSettings.h"

#include <algorithm>

#include "model/TrackOperations.h"

namespace ks {

namespace {

// The stored alignment values in list order: Centre, Right, Left.
constexpr std::array<int32_t, 3> kAlignments = {6, 0, 2};

// A title also stands in a text box read from a file, which is drawn in its place.
void setBoxedText(QString& field, CTextBox& box, const QString& value) {
    field = value;
    if (box.text.isEmpty() && box.lines.isEmpty()) return;
    box.text = value;
    box.splitLines();
}

}  // namespace

ScoreSettings readScoreSettings(const CScore& score) {
    ScoreSettings s;
    s.title = score.title;
    s.subtitle = score.subtitle;
    s.artist = score.artist;
    s.copyright = score.copyright;
    for (int p = 0; p < kPartCount; ++p)
        s.parts[size_t(p)] = score.trackOfPart(p);
    for (const CTrack& t : score.tracks)
        s.trackNames.push_back(t.title);
    s.key = score.prefs.key >= 0 && score.prefs.key < 15 ? score.prefs.key : kKeyCMajor;
    s.minor = score.prefs.minorkey;
    return s;
}

void applyScoreSettings(const ScoreSettings& s, CScore& score) {
    const ScoreSettings now = readScoreSettings(score);
    setBoxedText(score.title, score.titleBox, s.title);
    setBoxedText(score.subtitle, score.subtitleBox, s.subtitle);
    score.artist = s.artist;
    score.copyright = s.copyright;
    for (size_t t = 0; t < s.trackNames.size() && t < score.tracks.size(); ++t)
        score.tracks[t].title = s.trackNames[t];
    // Clear first, so that a track moving from one part to another is not dropped.
    const std::array<int32_t, kPartCount> before = score.parts;
    score.parts = {0, 0, 0, 0};
    for (int p = 0; p < kPartCount; ++p) {
        const int track = s.parts[size_t(p)];
        if (track >= 0 && track < score.trackCount() && score.partOfTrack(track) < 0) {
            score.parts[size_t(p)] = track + 1;
            if (before[size_t(p)] != track + 1) score.rebuildTrack(track);
        }
    }
    keepCurrentPartShown(score);
    // A score without a key keeps none until a key is chosen.
    if (s.key != now.key || s.minor != now.minor)
        score.setKeySignature(std::clamp(s.key, 0, 14) + (s.minor ? 15 : 0), 0);
}

int createNewTracks(const ScoreSettings& s, CScore& score) {
    int created = 0;
    for (int p = 0; p < kPartCount; ++p) {
        if (s.parts[size_t(p)] != kNewTrackEntry) continue;
        const int track = addNewTrack(score, s.newTrackNames[size_t(p)], p);
        score.assignTrackToPart(track, p);
        ++created;
    }
    return created;
}

LyricSettings readLyricSettings(const CDisplaySettings& prefs) {
    LyricSettings s;
    const auto at = std::find(kAlignments.begin(), kAlignments.end(), prefs.lyricalign);
    s.alignment = at == kAlignments.end() ? 0 : int(at - kAlignments.begin());
    s.position = std::clamp(prefs.lyricposition, 0, 2);
    s.offsets = {prefs.textoffset1, prefs.textoffset2, prefs.textoffset3};
    return s;
}

void applyLyricSettings(const LyricSettings& s, CDisplaySettings& prefs) {
    prefs.lyricalign = kAlignments[size_t(std::clamp(s.alignment, 0, 2))];
    prefs.lyricposition = std::clamp(s.position, 0, 2);
    prefs.textoffset1 = s.offsets[0];
    prefs.textoffset2 = s.offsets[1];
    prefs.textoffset3 = s.offsets[2];
}

}  // namespace ks
