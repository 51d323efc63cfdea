// One running editor per user: the first copy listens on a local socket; a later copy
// hands the file named on its command line over (or an empty path, which brings the
// first copy forward) and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace ks {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // The socket's name: "HalvernKeystavesV4.x.x" and the user, so that two users of
    // one machine each have their own editor; KEYSTAVES_INSTANCE_NAME replaces it.
    static QString defaultName();

    explicit SingleInstance(QString name = defaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Sends `path` to a running copy. True when one was reached: this copy should end.
    bool handOver(const QString& path, int timeoutMs = 3000) const;
    // Starts listening as the first copy; a socket left behind by a copy that ended
    // without closing it is replaced. False when listening failed.
    bool listen();
    bool isListening() const;
    const QString& name() const { return name_; }

  signals:
    // A later copy asked to open `path`, or (empty path) to come forward.
    void fileHandedOver(const QString& path);

  private:
    void readConnection();
    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace ks
