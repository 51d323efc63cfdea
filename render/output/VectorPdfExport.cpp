#include "VectorPdfExport.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "render/output/ExportTextIds.h"
#include "render/output/PageImage.h"
#include "render/output/PrintedPage.h"

namespace ks {

namespace {

// Device pixels per inch of the PDF page: the page is drawn at this resolution.
constexpr int kPdfResolution = 1200;

}  // namespace

PdfExportResult ExportVectorPdf(CScore& score, const PageGeometry& page, const QString& path,
                                const QString& fileName, const PageProgress& progress) {
    PdfExportResult result;
    result.messageId = OutputTextId::PdfCreationFailed;
    if (page.width <= 0 || page.height <= 0) return result;
    layoutForExport(score, page);
    const QString target = pdfTargetPath(path);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        if (QFileInfo::exists(target)) result.messageId = OutputTextId::FileOpenElsewhere;
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("Halvern Keystaves"));
        writer.setTitle(score.title);
        const QPageSize paper(QSizeF(page.width / 1000.0, page.height / 1000.0), QPageSize::Inch,
                              QString(), QPageSize::ExactMatch);
        if (!writer.setPageLayout(
                QPageLayout(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Inch))) {
            file.cancelWriting();
            return result;
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return result;
        }
        const int pages = std::max(1, static_cast<int>(score.pages.size()));
        for (int i = 0; i < pages; ++i) {
            if (!jobGoesOn(progress, i, pages)) {
                painter.end();
                file.cancelWriting();
                result.messageId = 0;
                result.cancelled = true;
                return result;
            }
            if (i > 0) writer.newPage();
            drawPaperPage(painter, score, page, i, kPdfResolution / 1000.0, CSurface::Kind::Export,
                          fileName);
        }
        painter.end();
        result.pages = pages;
    }
    if (!file.commit()) {
        result.pages = 0;
        return result;
    }
    result.ok = true;
    result.messageId = 0;
    result.path = target;
    return result;
}

}  // namespace ks
