// Writing 16-bit stereo PCM WAV files. The header is written by hand: RIFF, a 16-byte
// "fmt " chunk and the "data" chunk. The file appears only when it is complete.
#pragma once

#include <QSaveFile>
#include <QString>
#include <cstdint>

namespace ks {

class WavWriter {
  public:
    // The largest sample data a WAV file can describe (its sizes are 32-bit).
    static constexpr int64_t kMaxDataBytes = 0xFFFFFFFFLL - 36;

    WavWriter(const QString& path, int sampleRate);
    bool open();
    // Append interleaved stereo frames; false on a write error or past the size limit.
    bool write(const int16_t* interleaved, int frames);
    // Fill in the sizes and put the file in place; false when that fails.
    bool commit();

    int64_t frames() const { return dataBytes_ / 4; }

  private:
    bool writeHeader();
    QSaveFile file_;
    const int sampleRate_;
    int64_t dataBytes_ = 0;
};

}  // namespace ks
