#include "SiteServer.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TestPaths.h"

namespace ks::test {

SiteServer::SiteServer() {
    process_.setProgram(QStringLiteral("/usr/bin/python3"));
    process_.setArguments({QStringLiteral(KS_SOURCE_DIR "/tools/site/keystaves_site.py"),
                           QStringLiteral("--root"), dir_.path(), QStringLiteral("--port"),
                           QStringLiteral("0")});
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        why_ = process_.errorString();
        return;
    }
    QByteArray out;
    const QDeadlineTimer deadline(30000);
    while (!out.contains('\n') && !deadline.hasExpired() && process_.state() == QProcess::Running) {
        process_.waitForReadyRead(200);
        out += process_.readAllStandardOutput();
    }
    if (out.startsWith("port ")) port_ = out.mid(5).trimmed().toInt();
    if (port_ == 0) why_ = QString::fromLocal8Bit(out + process_.readAllStandardError());
}

SiteServer::~SiteServer() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString SiteServer::base() const {
    return QStringLiteral("https://127.0.0.1:%1/").arg(port_);
}

void SiteServer::put(const QString& relative, const QByteArray& content) const {
    const QString path = dir_.path() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(content);
}

QStringList SiteServer::requests() const {
    QFile log(dir_.path() + "/requests.log");
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray patternBytes(qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    uint32_t x = 2463534242u;
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = char(x);
    }
    return bytes;
}

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

}  // namespace ks::test
