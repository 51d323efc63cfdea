// HTTPS requests to the web site through libcurl, with the certificate verified, the
// body capped, connection and stall time limits, and a cancel flag. Addresses that are
// not "https://" are refused before anything leaves the machine; redirects are not
// followed. Safe to use from any thread: each call makes its own transfer.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

namespace ks {

struct TransferLimits {
    int64_t maxBody = 64 * 1024;  // bytes; a longer body fails the transfer
    int connectTimeoutMs = 15000;
    int stallSeconds = 30;        // no byte for this long ends the transfer
    int totalTimeoutMs = 0;       // 0: no limit on the whole transfer
};

struct TransferResult {
    bool ok = false;          // 2xx answer, complete, within the limits
    long status = 0;          // HTTP status, 0 when none arrived
    QByteArray body;          // for get() and post()
    int64_t received = 0;     // body bytes received
    int64_t expected = -1;    // Content-Length, -1 when the server sent none
    bool cancelled = false;
    bool tooLarge = false;
    QString error;            // what went wrong, for logs and messages; empty when ok
};

class HttpsClient {
  public:
    // Body bytes as they arrive; false stops the transfer as failed.
    using Sink = std::function<bool(const char* data, size_t size)>;
    // Bytes so far and the announced length (-1 when unknown), on the transfer's thread.
    using Progress = std::function<void(int64_t received, int64_t expected)>;

    // `caFile`: the certificate authorities to trust, empty for the system's. By default
    // KEYSTAVES_CA_FILE when set, which is how tests trust their own test authority.
    explicit HttpsClient(QString caFile = defaultCaFile(), QString userAgent = QStringLiteral("Keystaves"));

    static QString defaultCaFile();
    // Whether `address` is an https address with a host.
    static bool isHttpsAddress(const QString& address);

    TransferResult get(const QString& address, const TransferLimits& limits,
                       const std::atomic<bool>* cancel = nullptr) const;
    // The body goes to `sink` instead of `TransferResult::body`.
    TransferResult download(const QString& address, const TransferLimits& limits, const Sink& sink,
                            const Progress& progress, const std::atomic<bool>* cancel) const;
    TransferResult post(const QString& address, const QByteArray& content,
                        const QString& contentType, const TransferLimits& limits,
                        const std::atomic<bool>* cancel = nullptr) const;

  private:
    struct Request;
    TransferResult perform(const Request& request) const;

    QString caFile_;
    QString userAgent_;
};

}  // namespace ks
