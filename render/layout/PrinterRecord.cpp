#include "PrinterRecord.h"

namespace ks {

namespace {

constexpr int kSizeOffset = 36;
constexpr int kSpecVersionOffset = 32;
constexpr int kFieldsOffset = 40;
constexpr int kOrientationOffset = 44;
constexpr int kPaperSizeOffset = 46;
constexpr int kPaperLengthOffset = 48;
constexpr int kPaperWidthOffset = 50;
constexpr int kLastPaperByte = kPaperWidthOffset + 2;

constexpr int kDevNamesHeader = 8;
constexpr uint16_t kDefaultPrinterFlag = 0x0001;

uint16_t readU16(const QByteArray& b, int offset) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[offset]) |
                                 (static_cast<uint8_t>(b[offset + 1]) << 8));
}

}  // namespace

DevModeRecord::DevModeRecord() : bytes_(kSize, '\0') {
    setU16(kSpecVersionOffset, kSpecVersion);
    setU16(kSizeOffset, kSize);
    setOrientation(Orientation::Portrait);
    setPaperSize(PaperCode::A4);
}

DevModeRecord::DevModeRecord(const QByteArray& stored) : DevModeRecord() {
    if (!isUsable(stored)) return;
    bytes_ = stored;
    stored_ = true;
}

bool DevModeRecord::isUsable(const QByteArray& bytes) {
    if (bytes.size() != kSize) return false;
    const uint16_t size = readU16(bytes, kSizeOffset);
    return size >= kLastPaperByte && size <= kSize;
}

uint16_t DevModeRecord::u16(int offset) const {
    return readU16(bytes_, offset);
}

void DevModeRecord::setU16(int offset, uint16_t value) {
    bytes_[offset] = static_cast<char>(value & 0xFF);
    bytes_[offset + 1] = static_cast<char>(value >> 8);
}

QString DevModeRecord::deviceName() const {
    const QByteArray name = bytes_.left(kDeviceNameLength);
    const qsizetype end = name.indexOf('\0');
    return QString::fromLatin1(end < 0 ? name : name.left(end));
}

void DevModeRecord::setDeviceName(const QString& name) {
    // The last byte stays NUL so the name is always terminated.
    const QByteArray latin = name.toLatin1().left(kDeviceNameLength - 1);
    for (int i = 0; i < kDeviceNameLength; ++i)
        bytes_[i] = i < latin.size() ? latin[i] : '\0';
}

uint32_t DevModeRecord::fields() const {
    return u16(kFieldsOffset) | (uint32_t(u16(kFieldsOffset + 2)) << 16);
}

int16_t DevModeRecord::orientation() const {
    return static_cast<int16_t>(u16(kOrientationOffset));
}
int16_t DevModeRecord::paperSize() const {
    return static_cast<int16_t>(u16(kPaperSizeOffset));
}
int16_t DevModeRecord::paperLength() const {
    return static_cast<int16_t>(u16(kPaperLengthOffset));
}
int16_t DevModeRecord::paperWidth() const {
    return static_cast<int16_t>(u16(kPaperWidthOffset));
}

void DevModeRecord::setField(int offset, int16_t value, uint32_t flag) {
    setU16(offset, static_cast<uint16_t>(value));
    const uint32_t f = fields() | flag;
    setU16(kFieldsOffset, static_cast<uint16_t>(f & 0xFFFF));
    setU16(kFieldsOffset + 2, static_cast<uint16_t>(f >> 16));
}

void DevModeRecord::setOrientation(int16_t value) {
    setField(kOrientationOffset, value, DevModeField::Orientation);
}
void DevModeRecord::setPaperSize(int16_t value) {
    setField(kPaperSizeOffset, value, DevModeField::PaperSize);
}
void DevModeRecord::setPaperLength(int16_t value) {
    setField(kPaperLengthOffset, value, DevModeField::PaperLength);
}
void DevModeRecord::setPaperWidth(int16_t value) {
    setField(kPaperWidthOffset, value, DevModeField::PaperWidth);
}

std::optional<DevNames> readDevNames(const QByteArray& bytes) {
    if (bytes.size() < kDevNamesHeader) return std::nullopt;
    auto nameAt = [&](int headerOffset) -> std::optional<QString> {
        const int offset = readU16(bytes, headerOffset);
        if (offset < kDevNamesHeader || offset >= bytes.size()) return std::nullopt;
        const qsizetype end = bytes.indexOf('\0', offset);
        if (end < 0) return std::nullopt;
        return QString::fromLatin1(bytes.constData() + offset, end - offset);
    };
    const auto driver = nameAt(0);
    const auto device = nameAt(2);
    const auto output = nameAt(4);
    if (!driver || !device || !output) return std::nullopt;
    return DevNames{.driver = *driver,
                    .device = *device,
                    .output = *output,
                    .isDefault = (readU16(bytes, 6) & kDefaultPrinterFlag) != 0};
}

QByteArray makeDevNames(const DevNames& names) {
    QByteArray out(kDevNamesHeader, '\0');
    auto put16 = [&](int at, int value) {
        out[at] = static_cast<char>(value & 0xFF);
        out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    const QString* parts[] = {&names.driver, &names.device, &names.output};
    for (int i = 0; i < 3; ++i) {
        // Names that would push an offset past 16 bits are cut short.
        QByteArray name = parts[i]->toLatin1().left(0x7FFF);
        if (out.size() + name.size() + 1 > 0xFFFF) name.clear();
        put16(i * 2, static_cast<int>(out.size()));
        out.append(name);
        out.append('\0');
    }
    put16(6, names.isDefault ? kDefaultPrinterFlag : 0);
    return out;
}

}  // namespace ks
