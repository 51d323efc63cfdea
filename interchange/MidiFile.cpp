#include "MidiFile.h"

#include "MidiStringIds.h"
#include "model/TextTable.h"

#include <QFile>
#include <algorithm>
#include <new>

namespace ks {

namespace {
template <class Sig>
void insertByTime(std::vector<Sig>& sigs, const Sig& sig) {
    auto at = std::upper_bound(sigs.begin(), sigs.end(), sig,
                               [](const Sig& a, const Sig& b) { return a.time < b.time; });
    sigs.insert(at, sig);
}
}  // namespace

void CMidiFile::addTimeSig(const CMidiTimeSig& sig) {
    insertByTime(timeSigs, sig);
}
void CMidiFile::addKeySig(const CMidiKeySig& sig) {
    insertByTime(keySigs, sig);
}

MidiResult CMidiFile::Read(const QString& path) {
    QFile file(path);
    // Only plain files: a device or pipe could deliver bytes without end.
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) {
        *this = CMidiFile();
        return {false, {text(MidiStringId::UnableToOpen)}};
    }
    const qint64 size = file.size();
    if (size == 0) return readBytes({});
    // Mapped, the file's bytes take no memory of their own; reading them is the fallback.
    if (const uchar* mapped = file.map(0, size))
        return readBytes(QByteArrayView(mapped, static_cast<qsizetype>(size)));
    QByteArray bytes;
    try {
        bytes = file.read(size);
    } catch (const std::bad_alloc&) {
        *this = CMidiFile();
        return {false, {text(MidiStringId::NotEnoughMemory), text(MidiStringId::ErrorReading)}};
    }
    if (bytes.size() != size) {
        *this = CMidiFile();
        return {false, {text(MidiStringId::ErrorReading)}};
    }
    return readBytes(bytes);
}

}  // namespace ks
