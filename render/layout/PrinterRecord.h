// The printer records a document keeps, in the byte layout of the Windows records
// they come from, so that documents written on Windows keep their page setup:
//  - the printer mode record: the fixed 156-byte part of the ANSI DEVMODE, little
//    endian (device name, spec and driver versions, size, field flags, orientation,
//    paper size, paper length and width in tenths of a millimetre, ...);
//  - the printer names record: DEVNAMES, four 16-bit values (offsets of the driver,
//    device and output names, in characters from the start, and a default flag)
//    followed by the NUL-terminated names.
// Fields are read and written in place; every other byte of a stored record is kept.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace ks {

namespace DevModeField {
constexpr uint32_t Orientation = 0x1;
constexpr uint32_t PaperSize = 0x2;
constexpr uint32_t PaperLength = 0x4;
constexpr uint32_t PaperWidth = 0x8;
}  // namespace DevModeField

namespace Orientation {
constexpr int16_t Portrait = 1;
constexpr int16_t Landscape = 2;
}  // namespace Orientation

namespace PaperCode {
constexpr int16_t Letter = 1;
constexpr int16_t LetterSmall = 2;
constexpr int16_t Ledger = 4;
constexpr int16_t Legal = 5;
constexpr int16_t A3 = 8;
constexpr int16_t A4 = 9;
constexpr int16_t A4Small = 10;
constexpr int16_t A5 = 11;
constexpr int16_t B4 = 12;
constexpr int16_t B5 = 13;
}  // namespace PaperCode

class DevModeRecord {
  public:
    static constexpr int kSize = 156;
    static constexpr int kDeviceNameLength = 32;
    static constexpr uint16_t kSpecVersion = 0x0401;

    // A fresh record: A4 portrait, with the orientation and paper size flags set.
    DevModeRecord();
    // The stored record when it is usable, else a fresh one (see wasStored).
    explicit DevModeRecord(const QByteArray& stored);

    // A stored record is usable when it is exactly the fixed part and its own size
    // field covers the paper fields without claiming more than the fixed part.
    static bool isUsable(const QByteArray& bytes);
    bool wasStored() const { return stored_; }

    QString deviceName() const;
    uint32_t fields() const;
    bool has(uint32_t field) const { return (fields() & field) != 0; }
    int16_t orientation() const;
    int16_t paperSize() const;
    int16_t paperLength() const;  // tenths of a millimetre
    int16_t paperWidth() const;

    // The device name field (32 bytes, cut short and NUL-padded).
    void setDeviceName(const QString& name);
    // Each setter also marks its field present.
    void setOrientation(int16_t value);
    void setPaperSize(int16_t value);
    void setPaperLength(int16_t value);
    void setPaperWidth(int16_t value);

    const QByteArray& bytes() const { return bytes_; }

  private:
    uint16_t u16(int offset) const;
    void setU16(int offset, uint16_t value);
    void setField(int offset, int16_t value, uint32_t flag);

    QByteArray bytes_;
    bool stored_ = false;
};

struct DevNames {
    QString driver;
    QString device;
    QString output;
    bool isDefault = false;

    bool operator==(const DevNames&) const = default;
};

// The names of a printer names record, or nothing when the record is short or its
// offsets or names do not lie inside it.
std::optional<DevNames> readDevNames(const QByteArray& bytes);
QByteArray makeDevNames(const DevNames& names);

}  // namespace ks
