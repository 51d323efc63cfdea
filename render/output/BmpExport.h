// The bitmap export: one Windows bitmap file per page, drawn at R dots per inch.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "render/output/ExportProgress.h"

namespace ks {

// The file of page `page` (from 1): "piano.bmp" gives "piano1.bmp", "piano2.bmp", ...
// A name that does not end in ".bmp" keeps its whole name: "piano" gives "piano1.bmp".
QString bmpPagePath(const QString& chosen, int page);

// The bitmap block of a page as a device-independent bitmap is read back: the 40-byte
// header (24 bits per pixel, rows bottom-up, resolution R x 10000 / 254 pixels per
// metre), a colour table of one entry, then the rows (B, G, R per pixel, each row padded
// to four bytes). `block` is reused: it keeps its capacity from page to page.
void makeBitmapBlock(const QImage& image, int dpi, QByteArray& block);

// The 14-byte file header for a bitmap block: "BM", file size, two zero words and the
// offset of the pixel rows.
QByteArray bitmapFileHeader(const QByteArray& block);

struct BmpExportResult {
    int pages = 0;           // pages the score has
    QStringList written;     // files written, in page order
    int messageId = 0;       // why nothing could be rendered (pages too large), else 0
    bool cancelled = false;  // stopped through the progress callback after `written`
    bool complete() const { return messageId == 0 && !cancelled && written.size() == pages; }
};

// Lays the score out for export and writes every page at `dpi`; existing files are
// replaced. A page whose file cannot be written is skipped and the next one tried.
// `progress` hears of every page and may cancel; the files written until then stay.
BmpExportResult ExportBmp(CScore& score, const PageGeometry& page, const QString& path, int dpi,
                          const QString& fileName = {}, const ExportProgress& progress = {});

}  // namespace ks
