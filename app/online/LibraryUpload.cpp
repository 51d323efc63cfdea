#include "app/online/LibraryUpload.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>

#include "app/online/UpdateCheck.h"
#include "model/StringIds.h"
#include "model/TextTable.h"
#include "storage/MarkupEntities.h"

namespace ks {

namespace {

constexpr char kUploadAlphabet[] =
    "23456789abcdefghijkmnopqrstuvwxyz23456789ABCDEFGHIJKLMNPQRSTUVWXYZ23456789";
constexpr int64_t kMaxUploadFile = 64 * 1024 * 1024;

}  // namespace

bool isUploadable(const CScore& score) {
    const QString title = score.title.trimmed();
    if (title.isEmpty() || title == text(StringId::Untitled) || title == u"Untitled") return false;
    for (int32_t shown : score.parts) {
        if (shown <= 0 || shown > score.trackCount()) continue;
        if (score.track(shown - 1).notes.size() > 5) return true;
    }
    return false;
}

QString makeUploadName() {
    constexpr int size = sizeof(kUploadAlphabet) - 1;
    QString name;
    for (int i = 0; i < 8; ++i)
        name += QLatin1Char(kUploadAlphabet[QRandomGenerator::system()->bounded(size)]);
    return name;
}

QString makeFileHash(const QString& uploadName, const QString& documentName, int64_t now) {
    const QByteArray text = (uploadName + documentName + QString::number(now)).toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex().toUpper());
}

std::optional<QString> uploadFile(const HttpsClient& client, const QString& base,
                                  const QString& kind, const QString& name, const QString& path,
                                  QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxUploadFile) {
        if (error)
            *error = file.isOpen() ? QStringLiteral("The file is too large to upload") : file.errorString();
        return std::nullopt;
    }
    const QByteArray content = file.readAll();
    TransferLimits limits;
    limits.maxBody = 64 * 1024;
    limits.totalTimeoutMs = 300000;
    const QString address = siteAddress(base, QStringLiteral("upload?kind=%1&name=%2")
                                                  .arg(kind, QString::fromLatin1(QUrl::toPercentEncoding(name))));
    const TransferResult result =
        client.post(address, content, QStringLiteral("application/octet-stream"), limits);
    if (!result.ok) {
        if (error) *error = result.error;
        return std::nullopt;
    }
    static const QRegularExpression answer(QStringLiteral("^\\[Name\\]\\(([2-9a-zA-Z]{1,32})\\)"));
    const QRegularExpressionMatch match = answer.match(QString::fromLatin1(result.body));
    if (!match.hasMatch()) {
        if (error) *error = QStringLiteral("The site's answer names no upload");
        return std::nullopt;
    }
    return match.captured(1);
}

int playingSeconds(const CScore& score) {
    const int64_t tempo = score.startTempo() > 0 ? score.startTempo() : kDefaultTempo;
    if (score.ppqn <= 0) return 0;
    return int(int64_t(score.editlength) * 60 / tempo / score.ppqn);
}

QString encodeRegistrationText(const QString& value) {
    QString plain = value;
    plain.replace(u'|', u' ');
    const QString entities = EncodeEntities(plain);
    QString out;
    for (QChar c : entities) {
        const char16_t u = c.unicode();
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '-' ||
            u == '_' || u == '.' || u == '~')
            out += c;
        else
            out += QStringLiteral("%%1").arg(uint(u), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString registrationAddress(const QString& base, const RegistrationFields& f) {
    QString address = siteAddress(base, QStringLiteral("page/files"));
    address += QLatin1String("?title=") + encodeRegistrationText(f.title);
    if (!f.subtitle.isEmpty()) address += QLatin1String("&subtitle=") + encodeRegistrationText(f.subtitle);
    if (!f.artist.isEmpty()) address += QLatin1String("&artist=") + encodeRegistrationText(f.artist);
    if (!f.copyright.isEmpty())
        address += QLatin1String("&copyright=") + encodeRegistrationText(f.copyright);
    address += QLatin1String("&filename=") + encodeRegistrationText(f.fileName);
    address += QLatin1String("&tmpfile=") + encodeRegistrationText(f.uploadName);
    address += QStringLiteral("&bars=%1&pages=%2&length=%3&fsize=%4")
                   .arg(f.bars).arg(f.pages).arg(f.lengthSeconds).arg(f.fileSize);
    address += QLatin1String("&hash=") + encodeRegistrationText(f.hash);
    return address;
}

bool fileIdRegistered(const QByteArray& reply) {
    if (!reply.startsWith("[ID](")) return false;
    const qsizetype hash = reply.indexOf("[Hash]", 1);
    if (hash < 1) return false;
    return reply.left(hash) != "[ID](0)";
}

}  // namespace ks
