#include "app/online/HttpsClient.h"

#include <curl/curl.h>

#include <QUrl>
#include <mutex>

namespace ks {

struct HttpsClient::Request {
    QString address;
    TransferLimits limits;
    const Sink* sink = nullptr;
    const Progress* progress = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    const QByteArray* postContent = nullptr;
    QString contentType;
};

namespace {

struct TransferState {
    const HttpsClient::Sink* sink = nullptr;
    const HttpsClient::Progress* progress = nullptr;
    const std::atomic<bool>* cancel = nullptr;
    TransferResult* result = nullptr;
    int64_t maxBody = 0;
    bool sinkRefused = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* state = static_cast<TransferState*>(user);
    const size_t bytes = size * count;
    TransferResult& result = *state->result;
    if (state->cancel && state->cancel->load()) {
        result.cancelled = true;
        return 0;
    }
    if (state->maxBody > 0 && result.received + int64_t(bytes) > state->maxBody) {
        result.tooLarge = true;
        return 0;
    }
    if (state->sink) {
        if (!(*state->sink)(data, bytes)) {
            state->sinkRefused = true;
            return 0;
        }
    } else {
        result.body.append(data, qsizetype(bytes));
    }
    result.received += int64_t(bytes);
    if (state->progress) (*state->progress)(result.received, result.expected);
    return bytes;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* state = static_cast<TransferState*>(user);
    if (state->cancel && state->cancel->load()) {
        state->result->cancelled = true;
        return 1;  // aborts the transfer
    }
    return 0;
}

// The announced length, read once the headers are in.
size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* state = static_cast<TransferState*>(user);
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    if (line.startsWith("HTTP/")) {
        state->result->expected = -1;  // a new answer (after 100 Continue) starts over
    } else if (line.toLower().startsWith("content-length:")) {
        bool number = false;
        const qlonglong length = line.mid(15).trimmed().toLongLong(&number);
        if (number && length >= 0) state->result->expected = length;
    }
    return size * count;
}

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpsClient::HttpsClient(QString caFile, QString userAgent)
    : caFile_(std::move(caFile)), userAgent_(std::move(userAgent)) {}

QString HttpsClient::defaultCaFile() {
    return qEnvironmentVariable("KEYSTAVES_CA_FILE");
}

bool HttpsClient::isHttpsAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && url.scheme() == u"https" && !url.host().isEmpty();
}

TransferResult HttpsClient::get(const QString& address, const TransferLimits& limits,
                                const std::atomic<bool>* cancel) const {
    Request request{address, limits};
    request.cancel = cancel;
    return perform(request);
}

TransferResult HttpsClient::download(const QString& address, const TransferLimits& limits,
                                     const Sink& sink, const Progress& progress,
                                     const std::atomic<bool>* cancel) const {
    Request request{address, limits};
    request.sink = &sink;
    request.progress = progress ? &progress : nullptr;
    request.cancel = cancel;
    return perform(request);
}

TransferResult HttpsClient::post(const QString& address, const QByteArray& content,
                                 const QString& contentType, const TransferLimits& limits,
                                 const std::atomic<bool>* cancel) const {
    Request request{address, limits};
    request.postContent = &content;
    request.contentType = contentType;
    request.cancel = cancel;
    return perform(request);
}

TransferResult HttpsClient::perform(const Request& request) const {
    TransferResult result;
    if (!isHttpsAddress(request.address)) {
        result.error = QStringLiteral("Only https addresses are used: %1").arg(request.address);
        return result;
    }
    initialiseOnce();
    CURL* curl = curl_easy_init();
    if (!curl) {
        result.error = QStringLiteral("The network library could not start");
        return result;
    }
    TransferState state{request.sink, request.progress, request.cancel, &result,
                        request.limits.maxBody};
    char errorText[CURL_ERROR_SIZE] = {0};
    const QByteArray address = request.address.toUtf8();
    const QByteArray caFile = caFile_.toLocal8Bit();
    const QByteArray agent = userAgent_.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "127.0.0.1,localhost");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(request.limits.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(request.limits.totalTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(request.limits.stallSeconds));
    if (request.limits.maxBody > 0)
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(request.limits.maxBody));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state);
    curl_slist* headers = curl_slist_append(nullptr, "Accept: */*");
    QByteArray contentType;
    if (request.postContent) {
        contentType = "Content-Type: " + request.contentType.toUtf8();
        headers = curl_slist_append(headers, contentType.constData());
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.postContent->constData());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         curl_off_t(request.postContent->size()));
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    const CURLcode code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);

    if (code == CURLE_FILESIZE_EXCEEDED) result.tooLarge = true;
    if (result.cancelled) {
        result.error = QStringLiteral("Cancelled");
    } else if (result.tooLarge) {
        result.error = QStringLiteral("The answer is longer than %1 bytes").arg(request.limits.maxBody);
    } else if (state.sinkRefused) {
        result.error = QStringLiteral("The received data could not be stored");
    } else if (code != CURLE_OK) {
        result.error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
    } else if (result.status < 200 || result.status >= 300) {
        result.error = QStringLiteral("The site answered with status %1").arg(result.status);
    } else {
        result.ok = true;
    }
    if (!result.ok && !request.sink) result.body.clear();
    return result;
}

}  // namespace ks
