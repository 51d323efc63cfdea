#include "app/AppSettings.h"

#include <QDir>
#include <QFileInfo>

namespace ks {

std::unique_ptr<QSettings> programSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Halvern"),
                                       QStringLiteral("Halvern Keystaves Notation Software"));
}

std::unique_ptr<QSettings> profileSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Halvern"),
                                       QStringLiteral("Halvern Keystaves"));
}

std::unique_ptr<QSettings> predecessorSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Corvex"),
                                       QStringLiteral("tonePad Music Notation Software"));
}

bool readFlag(const QSettings& settings, const char* key, bool fallback) {
    const QVariant value = settings.value(QLatin1String(key));
    if (!value.isValid()) return fallback;
    bool number = false;
    const qlonglong n = value.toLongLong(&number);
    return number && n != 0;
}

bool takeOverPredecessorSettings(QSettings& predecessor, QSettings& ours) {
    const QString showHelp = QLatin1String(SettingKey::ShowHelp);
    const QString lastFileType = QLatin1String(SettingKey::LastFileType);
    const QString enableWeb = QLatin1String(SettingKey::EnableWeb);
    const QString downloadPath = QLatin1String(SettingKey::DownloadPath);
    bool found = false;
    // The predecessor kept its switches as the strings "true" and "false". Ours keeps
    // `ShowHelp` as such a string and `EnableWeb` as a number. Only values the
    // predecessor has are taken over, so an absent one never overrides our default.
    if (predecessor.contains(showHelp)) {
        const bool on = predecessor.value(showHelp).toString() == u"true";
        ours.setValue(showHelp, on ? QStringLiteral("true") : QStringLiteral("false"));
        found = true;
    }
    if (predecessor.contains(enableWeb)) {
        ours.setValue(enableWeb, predecessor.value(enableWeb).toString() == u"true" ? 1 : 0);
        found = true;
    }
    for (const QString& key : {lastFileType, downloadPath}) {
        if (!predecessor.contains(key)) continue;
        ours.setValue(key, predecessor.value(key).toString());
        found = true;
    }
    for (const char* key : {"DownloadPath", "EnableWeb", "FTPPath", "FTPServer", "LastFileType",
                            "Password", "ShowHelp", "URL", "Username"})
        predecessor.remove(QLatin1String(key));
    predecessor.sync();
    ours.sync();
    return found;
}

QString sitePage(const QSettings& settings, const QString& page) {
    QString base =
        settings.value(QLatin1String(SettingKey::SiteAddress), QLatin1String(kDefaultSiteAddress))
            .toString();
    if (!base.endsWith(u'/')) base += u'/';
    return base + page;
}

void RecentFiles::load(const QSettings& profile) {
    paths_.clear();
    for (int i = 1; i <= kMax; ++i) {
        const QString path =
            profile.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path)) paths_.append(path);
    }
}

void RecentFiles::save(QSettings& profile) const {
    profile.remove(QStringLiteral("Recent File List"));
    for (int i = 0; i < paths_.size(); ++i)
        profile.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), paths_[i]);
    profile.sync();
}

void RecentFiles::add(const QString& path) {
    if (path.isEmpty()) return;
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    paths_.removeAll(full);
    paths_.prepend(full);
    while (paths_.size() > kMax)
        paths_.removeLast();
}

void RecentFiles::remove(const QString& path) {
    paths_.removeAll(path);
}

}  // namespace ks
