#include "PngExport.h"

#include "CliTextIds.h"
#include "render/output/PageImage.h"
#include "storage/StorageTextIds.h"

namespace ks::cli {

QString pngPagePath(const QString& target, int page) {
    return target.left(std::max<qsizetype>(target.size() - 4, 0)) + QString::number(page) +
           QStringLiteral(".png");
}

PngExportResult exportPngPages(CScore& score, const PageGeometry& page, const QString& target,
                               int dpi, int onlyPage, const QString& documentName) {
    PngExportResult result;
    if (dpi < kMinExportDpi || dpi > kMaxExportDpi) {
        result.messageId = StringId::InvalidExportResolution;
        return result;
    }
    layoutForExport(score, page);
    const int count = static_cast<int>(score.pages.size());
    if (onlyPage > count || count == 0) {
        result.messageId = StringId::NoSuchPage;
        return result;
    }
    const int first = onlyPage > 0 ? onlyPage : 1;
    const int last = onlyPage > 0 ? onlyPage : count;
    for (int p = first; p <= last; ++p) {
        const QImage image = renderPageImage(score, page, p - 1, dpi, documentName);
        const QString path = pngPagePath(target, p);
        if (image.isNull() || !image.save(path, "PNG")) {
            result.messageId = StringId::SaveFailed;
            return result;
        }
        result.written.append(path);
    }
    result.ok = true;
    return result;
}

}  // namespace ks::cli
