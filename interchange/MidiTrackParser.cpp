#include "MidiTrackParser.h"

#include "AnsiText.h"
#include "ByteCursor.h"
#include "model/GeneralMidi.h"
#include "MidiStringIds.h"
#include "model/TextTable.h"

#include <limits>
#include <vector>

namespace ks {

namespace {

constexpr int kNoStatus = -1;

enum MetaType : uint8_t {
    kText = 0x01,
    kCopyright = 0x02,
    kTrackName = 0x03,
    kChannelPrefix = 0x20,
    kEndOfTrack = 0x2F,
    kTempo = 0x51,
    kTimeSignature = 0x58,
    kKeySignature = 0x59,
};

uint8_t byteAt(QByteArrayView data, qsizetype i) {
    return static_cast<uint8_t>(data[i]);
}

// Applies one meta event whose data lies wholly inside the track. Returns true for the
// end of the track. Events too short for the fields they carry are skipped.
bool applyMeta(uint8_t type, QByteArrayView data, int32_t time, CMidiTrack& track,
               CMidiFile& file) {
    switch (type) {
        case kText:
            if (track.named) break;
            [[fallthrough]];
        case kTrackName:
            track.name = decodeAnsi(data);
            track.named = true;
            break;
        case kCopyright:
            file.copyright = decodeAnsi(data);
            break;
        case kChannelPrefix:
            if (!data.empty() && byteAt(data, 0) <= 15) track.channel = byteAt(data, 0);
            break;
        case kEndOfTrack:
            return true;
        case kTempo: {
            if (data.size() < 3) break;
            const uint32_t micros =
                (uint32_t(byteAt(data, 0)) << 16) | (byteAt(data, 1) << 8) | byteAt(data, 2);
            // A zero length of a quarter note has no tempo; the previous one stays.
            if (micros == 0) break;
            file.tempo = static_cast<int32_t>(60000000.0 / micros + 0.49999);
            break;
        }
        case kTimeSignature: {
            // The denominator is stored as a power of two; one that no int32 holds is junk.
            if (data.size() < 2 || byteAt(data, 1) > 30) break;
            file.timeSigs.push_back({time, byteAt(data, 0), int32_t(1) << byteAt(data, 1)});
            break;
        }
        case kKeySignature: {
            if (data.size() < 2) break;
            const int sharps = static_cast<int8_t>(byteAt(data, 0));
            const int mode = byteAt(data, 1);
            CMidiKeySig sig{time, 0, false};
            if (mode == 0 || mode == 1) {
                sig.key = (sharps >= -7 && sharps <= 7) ? sharps : 0;
                sig.minor = mode == 1;
            }
            file.keySigs.push_back(sig);
            break;
        }
        default:
            break;
    }
    return false;
}

// Skips the data of a system message (sysex, song position, ...); running status ends.
void skipSystemMessage(uint8_t status, ByteCursor& in) {
    switch (status) {
        case 0xF0:
        case 0xF7:
            in.skip(in.variableLength());
            break;
        case 0xF1:
        case 0xF3:
            in.skip(1);
            break;
        case 0xF2:
            in.skip(2);
            break;
        default:
            break;
    }
}

// A track that no meta event named takes the name of its programs: the last one wins.
void nameAfterPrograms(CMidiTrack& track) {
    if (track.named) return;
    for (const CMidiEvent& e : track.events)
        if ((e.status & 0xF0) == 0xC0) track.name = generalMidiProgramName(e.data[0]);
}

}  // namespace

TrackParse parseMidiTrack(QByteArrayView chunk, CMidiTrack& track, CMidiFile& file) {
    ByteCursor in(chunk);
    std::vector<CMidiEvent> events;
    int64_t time = 0;
    int running = kNoStatus;
    TrackParse outcome = TrackParse::Complete;
    for (bool ended = false; !ended;) {
        if (in.atEnd()) {
            outcome = TrackParse::Malformed;
            break;
        }
        // Times past the largest tick stay on it rather than wrapping round.
        time = std::min<int64_t>(time + in.variableLength(), std::numeric_limits<int32_t>::max());
        int status = kNoStatus;
        if (in.atEnd() || in.peek() < 0x80) {
            if (running == kNoStatus) {
                track.errorText += text(MidiStringId::InvalidStatusByte);
                break;
            }
            status = running;
        } else {
            status = in.next();
        }

        if (isMidiChannelStatus(status)) {
            CMidiEvent event{static_cast<int32_t>(time), static_cast<uint8_t>(status), {}};
            // A data byte with the top bit set is not a data byte: keep its low 7 bits so
            // that no key, velocity or value outside 0..127 reaches the score.
            for (int i = 0; i < midiDataByteCount(status); ++i)
                event.data[static_cast<size_t>(i)] = in.next() & 0x7F;
            events.push_back(event);
            running = status;
        } else if (status == 0xFF) {
            running = kNoStatus;
            const uint8_t type = in.next();
            const uint32_t length = in.variableLength();
            // A length beyond the track is not believed: the event is ignored and the
            // bytes after the length are read as the events they may be.
            if (length > uint64_t(in.left())) continue;
            ended = applyMeta(type, in.take(length), static_cast<int32_t>(time), track, file);
        } else {
            running = kNoStatus;
            skipSystemMessage(static_cast<uint8_t>(status), in);
        }
    }
    track.events.AddAll(std::move(events));
    nameAfterPrograms(track);
    return outcome;
}

}  // namespace ks
