// Writing a CMidiFile as a format 1 Standard MIDI File: a tempo and signature track, then
// one track chunk per track that has events. Every status byte is written (no running
// status) and each chunk's length is filled in once the chunk is complete.
#include "AnsiText.h"
#include "MidiFile.h"
#include "MidiStringIds.h"
#include "model/TextTable.h"

#include <QSaveFile>
#include <algorithm>

namespace ks {

namespace {

constexpr int kMaxChunks = 0xFFFF;  // the header counts tracks in 16 bits

class ChunkWriter {
  public:
    explicit ChunkWriter(QByteArray& out) : out_(out) {}

    void byte(int b) { out_.append(static_cast<char>(b & 0xFF)); }
    void bigEndian(uint32_t value, int size) {
        for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
            byte(int(value >> shift));
    }
    void variableLength(uint32_t value) {
        char groups[5];
        int n = 0;
        do {
            groups[n++] = static_cast<char>(value & 0x7F);
            value >>= 7;
        } while (value);
        while (n-- > 0)
            byte(groups[n] | (n ? 0x80 : 0));
    }

    void beginChunk(const char* id) {
        out_.append(id, 4);
        lengthAt_ = out_.size();
        bigEndian(0, 4);
        lastTime_ = 0;
    }
    void endChunk() {
        const auto length = static_cast<uint32_t>(out_.size() - lengthAt_ - 4);
        for (int i = 0; i < 4; ++i)
            out_[lengthAt_ + i] = static_cast<char>(length >> (8 * (3 - i)));
    }

    // The delta from the previous event of the chunk; events never step back in time.
    void delta(int32_t time) {
        time = std::max(time, lastTime_);
        variableLength(static_cast<uint32_t>(time - lastTime_));
        lastTime_ = time;
    }
    void meta(int32_t time, int type, QByteArrayView data) {
        delta(time);
        byte(0xFF);
        byte(type);
        variableLength(static_cast<uint32_t>(data.size()));
        out_.append(data);
    }
    void textMeta(int type, const QString& value) {
        if (!value.isEmpty()) meta(0, type, encodeAnsi(value));
    }

  private:
    QByteArray& out_;
    qsizetype lengthAt_ = 0;
    int32_t lastTime_ = 0;
};

// Microseconds per quarter note; a tempo that is not positive counts as 120, and the value
// is held within the three bytes the event has.
QByteArray tempoBytes(int32_t tempo) {
    if (tempo <= 0) tempo = 120;
    const uint32_t micros = std::clamp<uint32_t>(60000000u / uint32_t(tempo), 1u, 0xFFFFFFu);
    const char bytes[] = {char(micros >> 16), char(micros >> 8), char(micros)};
    return QByteArray(bytes, 3);
}

// The power of two at or above the denominator, at least 1 (so 1 and 2 both give 1).
int denominatorPower(int32_t denominator) {
    int power = 1;
    while (power < 31 && (int64_t(1) << power) < denominator)
        ++power;
    return power;
}

void writeTempoTrack(const CMidiFile& file, ChunkWriter& w) {
    w.beginChunk("MTrk");
    w.meta(0, 0x51, tempoBytes(file.tempo));
    w.textMeta(0x01, file.artist);
    w.textMeta(0x03, file.title);
    w.textMeta(0x02, file.copyright);

    auto byTime = [](const auto& a, const auto& b) { return a.time < b.time; };
    std::vector<CMidiTimeSig> times = file.timeSigs;
    std::vector<CMidiKeySig> keys = file.keySigs;
    std::stable_sort(times.begin(), times.end(), byTime);
    std::stable_sort(keys.begin(), keys.end(), byTime);
    auto t = times.begin();
    auto k = keys.begin();
    // Merged in time order; at one tick the time signature goes first.
    while (t != times.end() || k != keys.end()) {
        if (k == keys.end() || (t != times.end() && t->time <= k->time)) {
            const char data[] = {char(t->numerator), char(denominatorPower(t->denominator)), 24, 8};
            w.meta(t->time, 0x58, QByteArrayView(data, 4));
            ++t;
        } else {
            const char data[] = {char(k->key), char(k->minor ? 1 : 0)};
            w.meta(k->time, 0x59, QByteArrayView(data, 2));
            ++k;
        }
    }
    w.meta(0, 0x2F, {});
    w.endChunk();
}

void writeTrack(const CMidiTrack& track, ChunkWriter& w) {
    w.beginChunk("MTrk");
    w.textMeta(0x03, track.name);
    const char channel = char(track.channel & 0x0F);
    w.meta(0, 0x20, QByteArrayView(&channel, 1));
    for (const CMidiEvent& e : track.events) {
        // Only channel messages can be written as they stand; data bytes keep 7 bits so
        // that none of them is taken for a status byte.
        if (!isMidiChannelStatus(e.status)) continue;
        w.delta(e.time);
        w.byte(e.status);
        for (int i = 0; i < midiDataByteCount(e.status); ++i)
            w.byte(e.data[size_t(i)] & 0x7F);
    }
    w.meta(0, 0x2F, {});
    w.endChunk();
}

}  // namespace

QByteArray CMidiFile::toBytes() const {
    std::vector<const CMidiTrack*> written;
    size_t eventCount = 0;
    for (const CMidiTrack& track : tracks) {
        if (track.events.empty()) continue;
        if (written.size() + 1 >= size_t(kMaxChunks)) break;
        written.push_back(&track);
        eventCount += size_t(track.events.size());
    }

    QByteArray out;
    out.reserve(qsizetype(64 + 16 * written.size() + 5 * eventCount));
    ChunkWriter w(out);
    out.append("MThd", 4);
    w.bigEndian(6, 4);
    w.bigEndian(1, 2);
    w.bigEndian(uint32_t(written.size() + 1), 2);
    // The top bit would announce SMPTE timing, so the division stays within 1..32767.
    w.bigEndian(uint32_t(std::clamp<int32_t>(division, 1, 0x7FFF)), 2);
    writeTempoTrack(*this, w);
    for (const CMidiTrack* track : written)
        writeTrack(*track, w);
    return out;
}

MidiResult CMidiFile::Write(const QString& path) const {
    // QSaveFile writes beside the target and renames it into place on commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, {text(MidiStringId::UnableToCreate)}};
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {false, {text(MidiStringId::UnableToCreate)}};
    return {true, {}};
}

}  // namespace ks
