#include "interchange/MusicXmlContainer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "interchange/MusicXmlStringIds.h"
#include "storage/FileOutput.h"
#include "storage/NZip.h"

namespace ks {

namespace {
// The description is small by nature; a longer one means a file name no reader expects.
constexpr qsizetype kMaxDescriptionBytes = 1024;
}  // namespace

QByteArray containerDescription(const QString& rootFile) {
    QString file = rootFile.toHtmlEscaped();
    file.replace(u'\'', QStringLiteral("&apos;"));
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<container>\n  <rootfiles>\n    "
               "<rootfile full-path=\"%1\">\n    </rootfile>\n  </rootfiles>\n</container>\n")
        .arg(file)
        .toUtf8();
}

ContainerBuildResult buildMusicXmlContainer(const QString& xmlPath, const QString& mxlPath) {
    const QString member = QFileInfo(xmlPath).fileName();
    const QByteArray description = containerDescription(member);
    if (description.size() >= kMaxDescriptionBytes)
        return {false, MusicXmlStringId::UnableToConvertUnicode};
    // The description is written in a folder of its own, so that no file of the user's
    // named "container.xml" is touched.
    QTemporaryDir work;
    const QString descriptionPath = work.filePath(QStringLiteral("container.xml"));
    if (!work.isValid() || !writeFileBytes(descriptionPath, description, false))
        return {false, MusicXmlStringId::UnableToCreateContainer};
    const QString partial = mxlPath + QStringLiteral(".part");
    QFile::remove(partial);
    const bool zipped = n_zip(descriptionPath, partial, QStringLiteral("META-INF/container.xml")) &&
                        n_zip(xmlPath, partial, member);
    if (!zipped) {
        QFile::remove(partial);
        return {false, MusicXmlStringId::UnableToWrite};
    }
    QFile::remove(mxlPath);
    if (!QFile::rename(partial, mxlPath)) {
        QFile::remove(partial);
        return {false, MusicXmlStringId::UnableToWrite};
    }
    return {true, 0};
}

}  // namespace ks
