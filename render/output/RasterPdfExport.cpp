#include "RasterPdfExport.h"

#include <hpdf.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <memory>

#include "render/output/ExportRenderer.h"
#include "render/output/ExportTextIds.h"
#include "render/output/PageImage.h"
#include "render/output/PdfPageSpool.h"

namespace ks {

namespace {

// The PDF writer reports errors here; the export only notes that one happened.
void noteError(HPDF_STATUS, HPDF_STATUS, void* failed) {
    *static_cast<bool*>(failed) = true;
}

struct DocumentFree {
    void operator()(HPDF_Doc pdf) const { HPDF_Free(pdf); }
};
using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, DocumentFree>;

// The paper of a page in PDF points (1/72 inch), rounded to whole points as the vector
// export's pages are: A4 is 595 x 842.
QSize paperPoints(const PageGeometry& page) {
    const auto points = [](int32_t thou) {
        return std::max(1, int(std::lround(double(thou) * 72.0 / 1000.0)));
    };
    return {points(page.width), points(page.height)};
}

// Adds one page of the paper's size with the page image drawn over all of it, so that
// the page prints at its size and the image keeps its resolution.
void addPage(HPDF_Doc pdf, QSize paper, const QString& imagePath) {
    HPDF_Page page = HPDF_AddPage(pdf);
    if (!page) return;
    HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(paper.width()));
    HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(paper.height()));
    // The image is read from the spool file only while the document is written.
    HPDF_Image image = HPDF_LoadPngImageFromFile2(pdf, QFile::encodeName(imagePath).constData());
    if (!image) return;
    HPDF_Page_DrawImage(page, image, 0, 0, static_cast<HPDF_REAL>(paper.width()),
                        static_cast<HPDF_REAL>(paper.height()));
}

// Writes the finished document through a temporary file that replaces the target only
// when complete.
int save(HPDF_Doc pdf, const bool& failed, const QString& target) {
    const QFileInfo info(target);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return info.exists() ? OutputTextId::FileOpenElsewhere : OutputTextId::PdfCreationFailed;
    HPDF_SaveToStream(pdf);
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    while (!failed) {
        HPDF_UINT32 size = static_cast<HPDF_UINT32>(chunk.size());
        const HPDF_STATUS status =
            HPDF_ReadFromStream(pdf, reinterpret_cast<HPDF_BYTE*>(chunk.data()), &size);
        if (size > 0 && file.write(chunk.constData(), size) != qint64(size)) break;
        if (status == HPDF_STREAM_EOF) return file.commit() ? 0 : OutputTextId::PdfCreationFailed;
        if (status != HPDF_OK) break;
    }
    file.cancelWriting();
    return OutputTextId::PdfCreationFailed;
}

}  // namespace

QString pdfTargetPath(const QString& chosen) {
    const QString name = QFileInfo(chosen).fileName();
    const bool threeLetterExtension =
        name.size() > 4 && name[name.size() - 4] == u'.' && !name.right(3).contains(u'.');
    if (threeLetterExtension) return chosen.left(chosen.size() - 3) + QStringLiteral("pdf");
    return chosen + QStringLiteral(".pdf");
}

PdfExportResult ExportPdf(CScore& score, const PageGeometry& page, const QString& path, int dpi,
                          const QString& fileName, const PageProgress& progress) {
    PdfExportResult result;
    layoutForExport(score, page);
    ExportRenderer renderer(score, page, dpi, fileName);
    if (!renderer.sizeAllowed()) {
        result.messageId = OutputTextId::PagesTooLarge;
        return result;
    }
    bool failed = false;
    const Document pdf(HPDF_New(noteError, &failed));
    const PdfPageSpool spool;
    if (!pdf || !spool.isValid()) {
        result.messageId = OutputTextId::PdfCreationFailed;
        return result;
    }
    HPDF_SetCompressionMode(pdf.get(), HPDF_COMP_ALL);
    for (int i = 0; i < renderer.pageCount() && !failed; ++i) {
        if (!jobGoesOn(progress, i, renderer.pageCount())) {
            result.cancelled = true;
            return result;
        }
        const QString imagePath = spool.pagePath(i);
        if (!renderer.render(i) || !writeRgbPng(renderer.image(), imagePath)) failed = true;
        if (!failed) addPage(pdf.get(), paperPoints(page), imagePath);
    }
    if (failed) {
        result.messageId = OutputTextId::PdfCreationFailed;
        return result;
    }
    result.path = pdfTargetPath(path);
    result.messageId = save(pdf.get(), failed, result.path);
    result.ok = result.messageId == 0;
    if (result.ok) result.pages = renderer.pageCount();
    return result;
}

}  // namespace ks
