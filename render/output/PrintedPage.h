// Pages on a paged device (a printer, the print preview, a PDF writer): a copy of the
// score laid out for the device's page, each page drawn the way a printer draws it,
// with nothing of the editing state.
#pragma once

#include <QPainter>
#include <QString>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"
#include "render/surface/Surface.h"

namespace ks {

// Draws page `index` (from 0) of a laid-out score with `painter`, whose device has
// `devicePerUnit` device pixels per page unit and the paper's top-left corner at its
// origin: the paper filled with the paper colour, then the page as `kind` draws it.
void drawPaperPage(QPainter& painter, const CScore& score, const PageGeometry& page, int index,
                   double devicePerUnit, CSurface::Kind kind, const QString& fileName = {});

class PrintedPages {
  public:
    // Copies the score and lays the copy out for `page` (the page with the margins the
    // device can print, see correctForPrintableArea): the unit measured as every surface
    // measures it, and the title and subtitle boxes stretched to the margins. The
    // document's own score is left as it is.
    PrintedPages(const CScore& score, const PageGeometry& page, const QString& fileName = {},
                 CSurface::Kind kind = CSurface::Kind::Printer);

    int pageCount() const;
    const PageGeometry& page() const { return page_; }
    const CScore& score() const { return score_; }

    // Draws page `printedPage` (from 1; kept within the page range) with `painter`, whose
    // device has `devicePerUnit` device pixels per page unit and the paper's top-left
    // corner at its origin. The paper is filled with the paper colour first.
    void draw(QPainter& painter, int printedPage, double devicePerUnit) const;

  private:
    CScore score_;
    PageGeometry page_;
    QString fileName_;
    CSurface::Kind kind_;
};

}  // namespace ks
