#include "storage/FileKind.h"

#include <QFile>

namespace ks {

bool looksLikeMidiFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(4) == QByteArrayLiteral("MThd");
}

}  // namespace ks
