#include "PdfPageSpool.h"

#include <zlib.h>
#include <QDir>
#include <QFile>
#include <array>
#include <vector>

namespace ks {

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kOutputChunk = 256 * 1024;

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// One chunk: length, type, data, CRC over type and data.
bool writeChunk(QFile& file, const char type[4], const uint8_t* data, size_t size) {
    std::vector<uint8_t> head;
    putU32(head, static_cast<uint32_t>(size));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
    std::vector<uint8_t> tail;
    putU32(tail, static_cast<uint32_t>(crc));
    const auto write = [&](const void* p, size_t n) {
        return n == 0 || file.write(static_cast<const char*>(p), qint64(n)) == qint64(n);
    };
    return write(head.data(), head.size()) && write(data, size) && write(tail.data(), tail.size());
}

class DeflateStream {
  public:
    DeflateStream() { ok_ = deflateInit(&z_, 1) == Z_OK; }
    ~DeflateStream() {
        if (ok_) deflateEnd(&z_);
    }
    bool ok() const { return ok_; }
    // Compresses `size` bytes (or, with `finish`, ends the stream), writing an IDAT chunk
    // whenever the output block fills and the rest at the end.
    bool feed(QFile& file, const uint8_t* data, size_t size, bool finish) {
        z_.next_in = const_cast<Bytef*>(data);
        z_.avail_in = static_cast<uInt>(size);
        int status = Z_OK;
        do {
            z_.next_out = out_.data() + used_;
            z_.avail_out = static_cast<uInt>(out_.size() - used_);
            status = deflate(&z_, finish ? Z_FINISH : Z_NO_FLUSH);
            if (status == Z_STREAM_ERROR) return false;
            used_ = out_.size() - z_.avail_out;
            if (used_ == out_.size() && !flushBlock(file)) return false;
        } while (z_.avail_in > 0 || (finish && status != Z_STREAM_END));
        return !finish || used_ == 0 || flushBlock(file);
    }

  private:
    z_stream z_{};
    bool ok_ = false;
    std::vector<uint8_t> out_ = std::vector<uint8_t>(kOutputChunk);
    size_t used_ = 0;

    bool flushBlock(QFile& file) {
        const bool written = writeChunk(file, "IDAT", out_.data(), used_);
        used_ = 0;
        return written;
    }
};

}  // namespace

bool writeRgbPng(const QImage& image, const QString& path) {
    if (image.isNull() || image.depth() != 32) return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const int w = image.width();
    const int h = image.height();
    std::vector<uint8_t> header;
    putU32(header, static_cast<uint32_t>(w));
    putU32(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    if (file.write(reinterpret_cast<const char*>(kSignature.data()), kSignature.size()) !=
            qint64(kSignature.size()) ||
        !writeChunk(file, "IHDR", header.data(), header.size()))
        return false;
    DeflateStream deflater;
    if (!deflater.ok()) return false;
    // Each row: filter type 0, then R, G, B per pixel.
    std::vector<uint8_t> row(1 + size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8_t* out = row.data() + 1;
        for (int x = 0; x < w; ++x) {
            *out++ = static_cast<uint8_t>(qRed(pixels[x]));
            *out++ = static_cast<uint8_t>(qGreen(pixels[x]));
            *out++ = static_cast<uint8_t>(qBlue(pixels[x]));
        }
        if (!deflater.feed(file, row.data(), row.size(), false)) return false;
    }
    if (!deflater.feed(file, nullptr, 0, true) || !writeChunk(file, "IEND", nullptr, 0))
        return false;
    return file.flush() && file.error() == QFileDevice::NoError;
}

PdfPageSpool::PdfPageSpool() : dir_(QDir::tempPath() + QStringLiteral("/keystaves-pdf-XXXXXX")) {}

QString PdfPageSpool::pagePath(int index) const {
    return dir_.filePath(QStringLiteral("page%1.png").arg(index + 1));
}

}  // namespace ks
