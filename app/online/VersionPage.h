// The version page of the web site: which installer is current, what version its file
// name carries, and the SHA-256 digest the page publishes for it.
#pragma once

#include <QByteArray>
#include <QString>

namespace ks {

// major × 65536 + minor × 256 + build: the form versions are compared in.
constexpr int packVersion(int major, int minor, int build) {
    return major * 65536 + minor * 256 + build;
}

struct VersionPageInfo {
    bool found = false;   // the page names an installer with a usable file name
    QString fileName;     // the installer, as named after the last "/downloadsv4/"
    QString sha256;       // 64 lower-case hexadecimal digits, empty when the page has none
    int major = 0, minor = 0, build = 0;
    int packed() const { return packVersion(major, minor, build); }
};

// The last "/downloadsv4/" link names the installer: its file name runs up to the next
// ">". The version is read as "%d_%d_%d" from the text after the name's first "_" up to
// the next "."; fields not read stay 0. The digest is the first run of 64 hexadecimal
// digits after "SHA-256:" that follows the link. A page without the marker, without the
// ">" or with an unsafe file name (see isSafeInstallerName) names no installer.
VersionPageInfo parseVersionPage(const QByteArray& body);

// Whether `name` can be used as a file name inside the Updates folder: not empty, at
// most 255 bytes in UTF-8, no "/" or "\", not "." or "..", no ".." and no control
// characters, and no ":" (a drive letter elsewhere).
bool isSafeInstallerName(const QString& name);

}  // namespace ks
