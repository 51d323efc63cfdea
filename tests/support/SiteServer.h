// The reference web site (tools/site/keystaves_site.py) run for one test: started on
// 127.0.0.1 on a free port with a certificate authority of its own, stopped when the
// object goes. Files written below root() shape its answers; requests() is its log.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace ks::test {

class SiteServer {
  public:
    SiteServer();
    ~SiteServer();
    bool running() const { return port_ != 0; }
    int port() const { return port_; }
    QString base() const;  // "https://127.0.0.1:PORT/"
    QString root() const { return dir_.path(); }
    QString caFile() const { return dir_.path() + "/certs/ca.pem"; }
    // Writes `content` to the file at `relative` below the root (folders made as needed).
    void put(const QString& relative, const QByteArray& content) const;
    // The request lines so far ("GET /latestversion").
    QStringList requests() const;
    QString why() const { return why_; }

  private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    QString why_;
};

// A body of `size` bytes that is not all one value.
QByteArray patternBytes(qint64 size);
// Its SHA-256 in lower-case hexadecimal.
QString sha256Hex(const QByteArray& bytes);

}  // namespace ks::test
