// Where the raster PDF keeps its page images until the document is written: one small
// file per page in a private temporary folder, read back by the PDF writer one page at
// a time while it writes, so memory holds one page whatever the page count.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace ks {

// Writes a 32-bit image as 8-bit RGB rows from top to bottom, in a PNG file (no row
// filter, fast deflate): the form the PDF writer loads page images from.
// False when the file cannot be written completely.
bool writeRgbPng(const QImage& image, const QString& path);

class PdfPageSpool {
  public:
    PdfPageSpool();
    bool isValid() const { return dir_.isValid(); }
    // The spool file of page `index` (from 0).
    QString pagePath(int index) const;

  private:
    QTemporaryDir dir_;
};

}  // namespace ks
