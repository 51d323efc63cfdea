// keystaves-cli convert IN OUT.png: one PNG image per page.
#pragma once

#include <QString>
#include <QStringList>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks::cli {

// The file name of page `page` (from 1): the target with its last four characters
// (".png") replaced by the page number and ".png", so "piano.png" gives "piano1.png".
QString pngPagePath(const QString& target, int page);

struct PngExportResult {
    bool ok = false;
    int messageId = 0;    // text id of what went wrong
    QStringList written;  // files written, in page order
};

// Lays the score out for export and writes its pages (or only page `onlyPage`, from 1,
// when it is above 0) at `dpi`. `documentName` is the file name a footer shows. Nothing
// is written when the page does not exist.
PngExportResult exportPngPages(CScore& score, const PageGeometry& page, const QString& target,
                               int dpi, int onlyPage = 0, const QString& documentName = {});

}  // namespace ks::cli
