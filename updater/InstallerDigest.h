// The SHA-256 digest kept beside a downloaded installer. The editor writes it once the
// download matched the digest the web site published; the updater starts only a file
// whose contents still match it.
#pragma once

#include <QString>

namespace ks {

// "<installer>.sha256".
QString installerDigestPath(const QString& installer);
// Writes `sha256` (hexadecimal) beside `installer`.
bool writeInstallerDigest(const QString& installer, const QString& sha256);
// The SHA-256 of a file in lower-case hexadecimal; empty when it cannot be read.
QString fileSha256(const QString& path);
// Whether `installer` exists and its contents match the digest kept beside it.
bool installerVerified(const QString& installer);

}  // namespace ks
