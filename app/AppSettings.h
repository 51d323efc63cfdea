// The program's settings: the values kept under the settings key, the framework profile
// with the recent-file list, and the one-time take-over of the predecessor program's
// settings.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace ks {

namespace SettingKey {
inline constexpr const char* DeleteBakFiles = "DeleteBakFiles";
inline constexpr const char* EnableWeb = "EnableWeb";
inline constexpr const char* ShowHelp = "ShowHelp";
inline constexpr const char* LastFileType = "LastFileType";
inline constexpr const char* DownloadPath = "DownloadPath";
inline constexpr const char* FirstRun = "FirstRun";
inline constexpr const char* FeedbackLast = "FeedbackLast";
// The web site's base address; pages are named relative to it ("page/library").
inline constexpr const char* SiteAddress = "SiteAddress";
}  // namespace SettingKey

inline constexpr const char* kDefaultSiteAddress = "https://www.keystaves.example/";

// The settings key "Halvern" / "Halvern Keystaves Notation Software".
std::unique_ptr<QSettings> programSettings();
// The framework profile "Halvern" / "Halvern Keystaves": recent files, print preview.
std::unique_ptr<QSettings> profileSettings();
// The predecessor program's key "Corvex" / "tonePad Music Notation Software".
std::unique_ptr<QSettings> predecessorSettings();

// A value written as a number (DWORD): nonzero is true; absent gives `fallback`.
bool readFlag(const QSettings& settings, const char* key, bool fallback);

// Copies `ShowHelp`, `LastFileType`, `EnableWeb` and `DownloadPath` from the
// predecessor's key into ours (only the values it has), then deletes the predecessor's
// values. Returns whether any value was taken over.
bool takeOverPredecessorSettings(QSettings& predecessor, QSettings& ours);

// The address of a page of the web site: base address + `page`.
QString sitePage(const QSettings& settings, const QString& page);

// The recent-file list ("Recent File List", "File1".."File8"), most recent first.
class RecentFiles {
  public:
    static constexpr int kMax = 8;
    void load(const QSettings& profile);
    void save(QSettings& profile) const;
    // Puts `path` first (once); the list keeps at most kMax entries.
    void add(const QString& path);
    void remove(const QString& path);
    const QStringList& paths() const { return paths_; }

  private:
    QStringList paths_;
};

}  // namespace ks
