#include "MidiExport.h"

#include "model/PerformanceWalk.h"

namespace ks {

CMidiKeySig midiKeyOf(int32_t code, int32_t time) {
    const bool minor = code >= 15;
    return CMidiKeySig{.time = time, .key = 7 - (minor ? code - 15 : code), .minor = minor};
}

CMidiFile exportMidiFile(const CScore& score) {
    CMidiFile file;
    file.division = score.ppqn;
    file.title = score.title;
    file.artist = score.artist;
    file.copyright = score.copyright;
    file.tempo =
        score.tempoTrack.events.empty() ? kDefaultTempo : score.tempoTrack.events.at(0).data[1];
    for (const CKeySignature& k : score.keysigs)
        file.addKeySig(midiKeyOf(k.key, score.barStart(k.bar)));
    for (const CTimeSignature& t : score.timesigs)
        file.addTimeSig(CMidiTimeSig{.time = t.time, .numerator = t.nom, .denominator = t.denom});

    // The notes as written: no repeats unrolled, no articulation, grace notes, trills or
    // release cut; every tie chain one note of its whole length.
    PerformanceOptions written;
    written.articulations = false;
    written.graceNotes = false;
    written.trills = false;
    written.releaseCut = false;
    written.compression = 0;
    int channel = 0;
    for (int trackIndex : partTracks(score)) {
        CMidiTrack midi;
        midi.name = score.track(trackIndex).title;
        midi.channel = channel++;
        PerformanceWalk walk(score, {trackIndex}, written);
        CPlayBackEvent e;
        while (walk.next(e))
            if (!e.noteOff) midi.AddNote(e.scoreTime, e.pitch, e.velocity, e.length);
        file.tracks.push_back(std::move(midi));
    }
    return file;
}

}  // namespace ks
