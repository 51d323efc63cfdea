// Reset, new-document content and built-in defaults.
#include "Score.h"
#include "StringIds.h"
#include "TextTable.h"

namespace ks {

void CScore::Reset() {
    title.clear();
    copyright.clear();
    artist.clear();
    subtitle.clear();
    ppqn = kDefaultPpqn;
    length = editlength = 0;
    bars.clear();
    lines.clear();
    pages.clear();
    linePaddings.clear();
    timesigs.clear();
    keysigs.clear();
    tracks.clear();
    voltamarks.clear();
    userfonts.clear();
    displayItems.clear();
    internetID = 0;
    filehash.clear();
    parts = {0, 0, 0, 0};
    selection = CSelection{};
    clipSelection = CSelection{};
    titleBox = CTextBox{};
    subtitleBox = CTextBox{};
    // The two special tracks are emptied too, so that reading a document into a reset
    // score never merges its marks with those of the previous content.
    annotationTrack.clear();
    annotationTrack.title = text(StringId::AnnotationTrack);
    tempoTrack.clear();
    tempoTrack.title = text(StringId::TempoTrack);
    midi.tempo = kDefaultTempo;
    CEvent tempo;
    tempo.type = EventType::Tempo;
    tempo.data[0] = 1;
    tempo.data[1] = kDefaultTempo;
    tempoTrack.addEvent(tempo);
    userfonts.push_back(CUserFont{});
    relinkTracks();
}

void CScore::makeNewDocument() {
    Reset();
    addTrack(CTrack{});
    addTrack(CTrack{});
    length = editlength = kNewDocumentLength;
    for (CTrack& t : tracks)
        t.length = length;
    assignTrackToPart(0, Part::RightHand);
    assignTrackToPart(1, Part::LeftHand);
    rebuildBars();
    if (!bars.empty()) bars.back().styleRight = 4;
}

namespace {

constexpr int32_t kBuiltInHandGap = 8;  // stave units

}  // namespace

void CScore::applyBuiltInDefaults() {
    title = text(StringId::Untitled);
    artist = text(StringId::Unknown);
    copyright.clear();
    subtitle.clear();
    prefs = CDisplaySettings{};
    // Room between the hands, so that marks between the staves (dynamics, fingering)
    // and the key-signature columns of the two hands stay apart at the default font size.
    prefs.stavegap = kBuiltInHandGap;
    midi = CMidiSettings{};
    font = CUserFont{.name = QStringLiteral("Arial"), .size = -110};
}

}  // namespace ks
