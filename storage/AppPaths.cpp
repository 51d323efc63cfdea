#include "storage/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace ks {

namespace {

QString fromEnvironment(const char* name) {
    return QDir::cleanPath(qEnvironmentVariable(name));
}

}  // namespace

QString tempFolder() {
    const QString chosen = fromEnvironment("KEYSTAVES_TEMP_DIR");
    if (!chosen.isEmpty() && chosen != u".") return chosen;
    return QDir::cleanPath(QDir::tempPath());
}

QString dataFolder() {
    const QString chosen = fromEnvironment("KEYSTAVES_DATA_DIR");
    if (!chosen.isEmpty() && chosen != u".") return chosen;
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                           QStringLiteral("/Keystaves"));
}

QString pathIn(const QString& folder, const QString& name) {
    if (folder.endsWith(u'/')) return folder + name;
    return folder + u'/' + name;
}

}  // namespace ks
