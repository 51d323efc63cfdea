#include "WavFile.h"

#include <QtEndian>
#include <array>

namespace ks {

namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;

void put16(char* at, uint16_t v) {
    qToLittleEndian(v, at);
}
void put32(char* at, uint32_t v) {
    qToLittleEndian(v, at);
}

}  // namespace

WavWriter::WavWriter(const QString& path, int sampleRate) : file_(path), sampleRate_(sampleRate) {}

bool WavWriter::open() {
    return file_.open(QIODevice::WriteOnly) && writeHeader();
}

bool WavWriter::writeHeader() {
    std::array<char, 44> h{};
    const uint32_t data = static_cast<uint32_t>(dataBytes_);
    std::copy_n("RIFF", 4, h.data());
    put32(h.data() + 4, 36 + data);
    std::copy_n("WAVEfmt ", 8, h.data() + 8);
    put32(h.data() + 16, 16);
    put16(h.data() + 20, 1);  // PCM
    put16(h.data() + 22, kChannels);
    put32(h.data() + 24, static_cast<uint32_t>(sampleRate_));
    put32(h.data() + 28, static_cast<uint32_t>(sampleRate_ * kChannels * kBytesPerSample));
    put16(h.data() + 32, kChannels * kBytesPerSample);
    put16(h.data() + 34, 8 * kBytesPerSample);
    std::copy_n("data", 4, h.data() + 36);
    put32(h.data() + 40, data);
    return file_.write(h.data(), h.size()) == static_cast<qint64>(h.size());
}

bool WavWriter::write(const int16_t* interleaved, int frames) {
    const qint64 bytes = qint64(frames) * kChannels * kBytesPerSample;
    if (dataBytes_ + bytes > kMaxDataBytes) return false;
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        if (file_.write(reinterpret_cast<const char*>(interleaved), bytes) != bytes) return false;
    } else {
        for (int i = 0; i < frames * kChannels; ++i) {
            char le[2];
            put16(le, static_cast<uint16_t>(interleaved[i]));
            if (file_.write(le, 2) != 2) return false;
        }
    }
    dataBytes_ += bytes;
    return true;
}

bool WavWriter::commit() {
    return file_.seek(0) && writeHeader() && file_.commit();
}

}  // namespace ks
