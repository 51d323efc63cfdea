#include "BmpExport.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

#include "render/output/ExportRenderer.h"
#include "render/output/ExportResolution.h"
#include "render/output/ExportTextIds.h"
#include "render/output/PageImage.h"

namespace ks {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kBitsPerPixel = 24;
// The bitmap is read back with room for one colour-table entry, as a true-colour
// bitmap has no colour table of its own.
constexpr int kColourEntries = 1;
constexpr int kBitsOffsetInBlock = kInfoHeaderSize + kColourEntries * 4;

void put16(char* at, uint16_t v) {
    at[0] = static_cast<char>(v & 0xFF);
    at[1] = static_cast<char>(v >> 8);
}

void put32(char* at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t get32(const QByteArray& b, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

bool writeFile(const QString& path, const QByteArray& header, const QByteArray& block) {
    QSaveFile file(path);
    // A file in a folder that allows no new files is still replaced in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(header) != header.size() || file.write(block) != block.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

QString bmpPagePath(const QString& chosen, int page) {
    const QString number = QString::number(page) + QStringLiteral(".bmp");
    const QString name = QFileInfo(chosen).fileName();
    if (name.size() > 4 && name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
        return chosen.left(chosen.size() - 4) + number;
    return chosen + number;
}

void makeBitmapBlock(const QImage& image, int dpi, QByteArray& block) {
    const int w = image.width();
    const int h = image.height();
    const qsizetype stride = (qsizetype(w) * 3 + 3) & ~qsizetype(3);
    const qsizetype bitsSize = stride * h;
    block.resize(kBitsOffsetInBlock + bitsSize);
    char* d = block.data();
    std::memset(d, 0, kBitsOffsetInBlock);
    put32(d, kInfoHeaderSize);
    put32(d + 4, static_cast<uint32_t>(w));
    put32(d + 8, static_cast<uint32_t>(h));  // positive: rows from the bottom up
    put16(d + 12, 1);                        // planes
    put16(d + 14, kBitsPerPixel);
    put32(d + 16, 0);  // no compression
    put32(d + 20, static_cast<uint32_t>(bitsSize));
    const uint32_t perMetre = static_cast<uint32_t>(exportPixelsPerMetre(dpi));
    put32(d + 24, perMetre);
    put32(d + 28, perMetre);
    // Colours used and important: 0 (all); the one colour-table entry stays zero.
    for (int y = 0; y < h; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        auto* out = reinterpret_cast<uint8_t*>(d + kBitsOffsetInBlock + stride * y);
        for (int x = 0; x < w; ++x) {
            *out++ = static_cast<uint8_t>(qBlue(pixels[x]));
            *out++ = static_cast<uint8_t>(qGreen(pixels[x]));
            *out++ = static_cast<uint8_t>(qRed(pixels[x]));
        }
        std::memset(out, 0, stride - qsizetype(w) * 3);
    }
}

QByteArray bitmapFileHeader(const QByteArray& block) {
    QByteArray header(kFileHeaderSize, '\0');
    header[0] = 'B';
    header[1] = 'M';
    put32(header.data() + 2, static_cast<uint32_t>(kFileHeaderSize + block.size()));
    // Bits offset: file header + info header + colour-table entries x 4.
    const uint32_t infoSize = block.size() >= 4 ? get32(block, 0) : 0;
    put32(header.data() + 10, kFileHeaderSize + infoSize + kColourEntries * 4);
    return header;
}

BmpExportResult ExportBmp(CScore& score, const PageGeometry& page, const QString& path, int dpi,
                          const QString& fileName, const PageProgress& progress) {
    BmpExportResult result;
    layoutForExport(score, page);
    ExportRenderer renderer(score, page, dpi, fileName);
    result.pages = renderer.pageCount();
    if (!renderer.sizeAllowed()) {
        result.messageId = OutputTextId::PagesTooLarge;
        return result;
    }
    QByteArray block;
    for (int i = 0; i < result.pages; ++i) {
        if (!jobGoesOn(progress, i, result.pages)) {
            result.cancelled = true;
            break;
        }
        // A page that cannot be drawn writes no file.
        if (renderer.render(i)) {
            makeBitmapBlock(renderer.image(), dpi, block);
            const QString file = bmpPagePath(path, i + 1);
            if (writeFile(file, bitmapFileHeader(block), block)) result.written.append(file);
        }
    }
    return result;
}

}  // namespace ks
