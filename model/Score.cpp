#include "Score.h"

#include <algorithm>

namespace ks {

CScore::CScore() {
    Reset();
}

CScore::CScore(const CScore& other) {
    *this = other;
}

CScore& CScore::operator=(const CScore& other) {
    if (this == &other) return *this;
    title = other.title;
    copyright = other.copyright;
    artist = other.artist;
    subtitle = other.subtitle;
    midi = other.midi;
    font = other.font;
    prefs = other.prefs;
    bars = other.bars;
    lines = other.lines;
    pages = other.pages;
    linePaddings = other.linePaddings;
    ppqn = other.ppqn;
    length = other.length;
    editlength = other.editlength;
    unit = other.unit;
    layoutScale = other.layoutScale;
    timesigs = other.timesigs;
    keysigs = other.keysigs;
    tracks = other.tracks;
    voltamarks = other.voltamarks;
    userfonts = other.userfonts;
    tempoTrack = other.tempoTrack;
    annotationTrack = other.annotationTrack;
    displayItems = other.displayItems;
    internetID = other.internetID;
    filehash = other.filehash;
    parts = other.parts;
    selection = other.selection;
    clipSelection = other.clipSelection;
    titleBox = other.titleBox;
    subtitleBox = other.subtitleBox;
    playbackMap = other.playbackMap;
    playbackCursor = other.playbackCursor;
    relinkTracks();
    return *this;
}

void CScore::relinkTracks() {
    for (CTrack& t : tracks)
        t.owner = this;
    tempoTrack.owner = this;
    annotationTrack.owner = this;
}

void CScore::rebuildPlaybackMap() {
    playbackMap.Rebuild(*this);
    playbackCursor = std::clamp(playbackCursor, 0, playbackMap.ScoreToPlay(length));
}

CTrack* CScore::trackPtr(int index) {
    if (index < 0 || index >= trackCount()) return nullptr;
    return &tracks[static_cast<size_t>(index)];
}

int CScore::addTrack(const CTrack& track) {
    tracks.push_back(track);
    relinkTracks();
    if (track.length > length) length = track.length;
    return trackCount() - 1;
}

int CScore::findOrAddFont(const CUserFont& f) {
    for (size_t i = 0; i < userfonts.size(); ++i)
        if (userfonts[i].sameFont(f)) return static_cast<int>(i);
    userfonts.push_back(f);
    return static_cast<int>(userfonts.size()) - 1;
}

void CScore::rebuildTrack(int index) {
    CTrack* t = trackPtr(index);
    if (!t) return;
    t->owner = this;
    t->rebuildChords(length);
    rebuildBeams(index);
}

void CScore::rebuildAllTracks() {
    for (int t = 0; t < trackCount(); ++t)
        rebuildTrack(t);
}

}  // namespace ks
