// Texts inside MIDI files are 8-bit characters in the Windows western code page
// (windows-1252), the code page of the files this program has always exchanged.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ks {

// Each byte becomes one character. Bytes the code page leaves undefined keep their
// value as a control character, so decoding and encoding give the bytes back.
QString decodeAnsi(QByteArrayView bytes);

// Each character becomes one byte; characters the code page cannot hold become '?'.
QByteArray encodeAnsi(const QString& text);

}  // namespace ks
