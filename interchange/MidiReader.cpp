// Reading a Standard MIDI File from bytes: the chunk walk, the final check and the
// split of a format 0 file by channel.
#include "MidiFile.h"
#include "MidiStringIds.h"
#include "MidiTrackParser.h"
#include "model/TextTable.h"

#include <algorithm>
#include <array>

namespace ks {

namespace {

uint32_t bigEndian(QByteArrayView b, qsizetype at, int size) {
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<uint8_t>(b[at + i]);
    return value;
}

QString withTrackName(int id, const CMidiTrack& track) {
    return text(id) + track.name;
}

// A format 0 file keeps all channels in one track; give each used channel its own track,
// in channel order, unnamed.
void splitByChannel(CMidiFile& file) {
    std::array<std::vector<CMidiEvent>, 16> byChannel;
    for (const CMidiEvent& e : file.tracks.front().events)
        byChannel[e.status & 0x0F].push_back(e);
    file.tracks.clear();
    for (int channel = 0; channel < 16; ++channel) {
        if (byChannel[channel].empty()) continue;
        CMidiTrack& track = file.tracks.emplace_back();
        track.channel = channel;
        track.events.assign(std::move(byChannel[channel]));
    }
}

template <class Sig>
void sortByTime(std::vector<Sig>& sigs) {
    std::stable_sort(sigs.begin(), sigs.end(),
                     [](const Sig& a, const Sig& b) { return a.time < b.time; });
}

}  // namespace

MidiResult CMidiFile::readBytes(QByteArrayView bytes) {
    *this = CMidiFile();
    artist = text(MidiStringId::Unknown);
    title = text(MidiStringId::Untitled);

    MidiResult result;
    const qsizetype size = bytes.size();
    int format = -1;  // no header seen yet
    uint32_t announced = 0;
    uint32_t tracksRead = 0;
    qsizetype pos = 0;
    int64_t bytesLeft = size;
    bool refused = false;

    // Tracks are created as their chunks arrive, never from the count the header
    // announces, so a lying header costs nothing.
    do {
        if (size - pos < 8) break;  // no room for another chunk header
        const QByteArrayView id = bytes.sliced(pos, 4);
        const uint64_t length = bigEndian(bytes, pos + 4, 4);
        const qsizetype dataStart = pos + 8;
        const qsizetype available = size - dataStart;
        uint64_t consumed = 0;
        bool stop = false;

        if (id == "MThd") {
            if (available < 6) break;
            const uint32_t fileFormat = bigEndian(bytes, dataStart, 2);
            const uint32_t value = bigEndian(bytes, dataStart + 4, 2);
            if (value & 0x8000 || fileFormat > 1) {
                result.messages << text(value & 0x8000 ? MidiStringId::NotTicksPerQuarter
                                                       : MidiStringId::OnlyFormat01);
                refused = true;
                break;
            }
            format = static_cast<int>(fileFormat);
            announced = bigEndian(bytes, dataStart + 2, 2);
            division = static_cast<int32_t>(value);
            consumed = 6;
        } else if (id == "MTrk") {
            if (format < 0) {
                result.messages << text(MidiStringId::TrackWithoutHeader);
                break;
            }
            CMidiTrack& track = tracks.emplace_back();
            track.name = QString(text(MidiStringId::TrackNumber))
                             .replace(QStringLiteral("%d"), QString::number(tracks.size() - 1));
            if (length > uint64_t(available)) {
                result.messages << withTrackName(MidiStringId::FileReadError, track);
                stop = true;
            } else if (parseMidiTrack(bytes.sliced(dataStart, qsizetype(length)), track, *this) ==
                       TrackParse::Malformed) {
                result.messages << withTrackName(MidiStringId::MalformedData, track);
                stop = true;
            } else {
                ++tracksRead;
            }
            consumed = length;
        }
        // Any other chunk is skipped whole.
        if (stop) {
            bytesLeft = 0;
            break;
        }
        const uint64_t next = uint64_t(dataStart) + std::max(length, consumed);
        bytesLeft = int64_t(size) - int64_t(next);
        pos = static_cast<qsizetype>(std::min<uint64_t>(next, uint64_t(size)));
    } while (bytesLeft > 0 && tracksRead < announced);

    sortByTime(timeSigs);
    sortByTime(keySigs);
    if (refused) return result;
    if (bytesLeft < 0 || format < 0 || tracksRead != announced) {
        result.messages << text(MidiStringId::ErrorReading);
        return result;
    }
    if (!tracks.empty() && tracks.front().named) {
        const auto plays = [](const CMidiEvent& e) {
            return (e.status & 0xF0) == 0x90 && (e.data[1] & 0x7F) > 0;
        };
        const CMidiTrack& first = tracks.front();
        if (format == 0 || std::none_of(first.events.begin(), first.events.end(), plays))
            sequenceName = first.name.trimmed();
    }
    if (format == 0 && tracks.size() == 1) splitByChannel(*this);
    result.ok = true;
    return result;
}

}  // namespace ks
