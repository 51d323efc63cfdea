// A small fixed-size cache that hands out one shared QString for repeated short strings,
// so that 100,000 "note" elements share one name instead of holding 100,000 copies.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace ks {

class NameCache {
  public:
    // Strings longer than this are not cached.
    static constexpr qsizetype kMaxLength = 24;

    QString intern(QStringView s) {
        if (s.size() > kMaxLength) return s.toString();
        QString& slot = slots_[hashOf(s.utf16(), s.size()) & kMask];
        if (!holds(slot, s.utf16(), s.size())) slot = s.toString();
        return slot;
    }

    // The same for text known to be ASCII (no conversion needed).
    QString internAscii(const char* data, qsizetype size) {
        const auto* units = reinterpret_cast<const unsigned char*>(data);
        if (size > kMaxLength) return QString(QLatin1StringView(data, size));
        QString& slot = slots_[hashOf(units, size) & kMask];
        if (!holds(slot, units, size)) slot = QString(QLatin1StringView(data, size));
        return slot;
    }

  private:
    static constexpr size_t kSlots = 1024;
    static constexpr size_t kMask = kSlots - 1;

    template <class Unit>
    static bool holds(const QString& slot, const Unit* data, qsizetype size) {
        if (slot.size() != size) return false;
        const QChar* s = slot.constData();
        for (qsizetype i = 0; i < size; ++i)
            if (s[i].unicode() != data[i]) return false;
        return true;
    }

    // FNV-1a over code units, so ASCII bytes and their UTF-16 form hash alike.
    template <class Unit>
    static uint32_t hashOf(const Unit* data, qsizetype size) {
        uint32_t h = 2166136261u;
        for (qsizetype i = 0; i < size; ++i)
            h = (h ^ uint32_t(data[i])) * 16777619u;
        return h ^ (h >> 15);
    }

    std::array<QString, kSlots> slots_;
};

}  // namespace ks
