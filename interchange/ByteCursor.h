// A read position inside a block of bytes that never reads past its end.
#pragma once

#include <QByteArrayView>
#include <algorithm>
#include <cstdint>

namespace ks {

class ByteCursor {
  public:
    explicit ByteCursor(QByteArrayView bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    qsizetype left() const { return bytes_.size() - pos_; }
    qsizetype position() const { return pos_; }

    // The next byte without taking it; only valid when not at the end.
    uint8_t peek() const { return static_cast<uint8_t>(bytes_[pos_]); }

    // Takes the next byte; past the end it reads as 0 and nothing is taken.
    uint8_t next() { return atEnd() ? 0 : static_cast<uint8_t>(bytes_[pos_++]); }

    // A variable-length quantity: 7 bits per byte, most significant first, while the top
    // bit is set. Longer runs than the four bytes files use keep only the low 32 bits.
    uint32_t variableLength() {
        uint32_t value = 0;
        uint8_t b = 0;
        do {
            b = next();
            value = (value << 7) | (b & 0x7Fu);
        } while (b & 0x80);
        return value;
    }

    // Takes up to `n` bytes.
    QByteArrayView take(uint64_t n) {
        const auto count = static_cast<qsizetype>(std::min<uint64_t>(n, uint64_t(left())));
        QByteArrayView part = bytes_.sliced(pos_, count);
        pos_ += count;
        return part;
    }
    void skip(uint64_t n) { take(n); }

  private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

}  // namespace ks
