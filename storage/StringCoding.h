// Small string encoders used with markup files and web addresses: hexadecimal bytes and
// percent-encoding.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace ks {

// Two upper-case hexadecimal digits per byte.
QString hexEncode(QByteArrayView bytes);

// The bytes of a text of hexadecimal digit pairs (either case). Returns false, leaving
// `out` unchanged, when the text has an odd length or a character that is not a digit.
bool hexDecode(QStringView text, QByteArray& out);

// Letters, digits and "-_.~" are copied; every other UTF-16 code unit becomes "%" and its
// value in upper-case hexadecimal, at least two digits ("%20", "%E9", "%20AC").
QString PercentEncode(QStringView text);

}  // namespace ks
