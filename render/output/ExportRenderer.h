// Export rendering, shared by the raster PDF and the bitmap export: the pages of a
// laid-out score drawn one at a time, at R dots per inch, into one reused bitmap.
#pragma once

#include <QImage>
#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks {

class ExportRenderer {
  public:
    // `fileName` is the document name a footer may show. The score must stay alive and
    // unchanged while the renderer is used.
    ExportRenderer(const CScore& score, const PageGeometry& page, int dpi,
                   const QString& fileName = {});

    // Pages to export: the layout's pages, and at least the first one (a score without
    // music still has its titles).
    int pageCount() const;
    int dpi() const { return dpi_; }
    QSize pixelSize() const { return size_; }
    // Whether pages of this size may be rendered at all (see exportSizeAllowed).
    bool sizeAllowed() const;

    // Draws page `index` (from 0) over the paper colour into the bitmap, which is made
    // on first use and reused for every later page. False when the index is out of
    // range, the size is not allowed or the bitmap cannot be made.
    bool render(int index);
    // The bitmap of the page rendered last (32 bits per pixel, 0xffRRGGBB).
    const QImage& image() const { return image_; }

  private:
    const CScore& score_;
    PageGeometry page_;
    int dpi_;
    QString fileName_;
    QSize size_;
    QImage image_;
};

}  // namespace ks
