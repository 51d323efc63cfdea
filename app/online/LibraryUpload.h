// The pieces of a library upload that need no widgets: whether a score can go to the
// library, the upload name and file hash, the transfer of one file over HTTPS, the
// registration address, and the site's answers.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "app/online/HttpsClient.h"
#include "model/Score.h"

namespace ks {

// A title other than "Untitled" and not empty, and at least one part showing a track of
// more than five notes.
bool isUploadable(const CScore& score);

// 8 characters drawn uniformly from the upload alphabet.
QString makeUploadName();
// 32 upper-case hexadecimal digits of MD5 over the upload name, the document's name and
// the time in seconds: unique per upload.
QString makeFileHash(const QString& uploadName, const QString& documentName, int64_t now);

// Sends the file at `path` as the upload's `kind` ("mid", "pdf", "ksv") under the proposed
// `name` to base + "upload". The name the site stored it under, or nothing with `error`
// set. No account: the site takes uploads over HTTPS and names them.
std::optional<QString> uploadFile(const HttpsClient& client, const QString& base,
                                  const QString& kind, const QString& name, const QString& path,
                                  QString* error);

struct RegistrationFields {
    QString title, subtitle, artist, copyright, fileName, uploadName, hash;
    int bars = 0, pages = 0, lengthSeconds = 0;
    int64_t fileSize = 0;
};
// Playing time in seconds: edit length × 60 / start tempo / ticks per quarter.
int playingSeconds(const CScore& score);
// base + "page/files?title=..." with each text made safe for the address: "|" becomes a
// blank, the markup entities are applied, then everything but letters, digits and "-_.~"
// is percent-encoded as its 16-bit code.
QString registrationAddress(const QString& base, const RegistrationFields& fields);
// The value encoding of registrationAddress.
QString encodeRegistrationText(const QString& text);

// Whether a getfileid answer says the upload is registered: it starts with "[ID](",
// holds "[Hash]" after its first character, and the text before "[Hash]" is not "[ID](0)".
bool fileIdRegistered(const QByteArray& reply);

}  // namespace ks
