#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace ks {

namespace {

// A path is short: a hand-over longer than this is not read further.
constexpr qint64 kMaxMessage = 64 * 1024;

}  // namespace

QString SingleInstance::defaultName() {
    // Tests run editors of their own beside a real one.
    const QString chosen = qEnvironmentVariable("KEYSTAVES_INSTANCE_NAME");
    if (!chosen.isEmpty()) return chosen;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    QString name = QStringLiteral("HalvernKeystavesV4.x.x");
    if (!user.isEmpty()) name += u'-' + user;
    return name;
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QString& path, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    // The message is the path in UTF-8 and a line end; the reply "1" confirms it. A
    // running copy was reached either way: a busy one that does not answer in time
    // still keeps its place, and this copy ends.
    socket.write(path.toUtf8() + '\n');
    if (socket.waitForBytesWritten(timeoutMs)) socket.waitForReadyRead(timeoutMs);
    return true;
}

bool SingleInstance::listen() {
    if (server_) return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::readConnection);
    if (server_->listen(name_)) return true;
    // No running copy could be reached (handOver failed), so a socket file left there
    // is stale.
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

bool SingleInstance::isListening() const {
    return server_ && server_->isListening();
}

void SingleInstance::readConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxMessage) socket->abort();
                return;
            }
            QByteArray line = socket->readLine(kMaxMessage);
            if (line.endsWith('\n')) line.chop(1);
            socket->write("1");
            socket->flush();
            socket->disconnectFromServer();
            emit fileHandedOver(QString::fromUtf8(line));
        });
    }
}

}  // namespace ks
