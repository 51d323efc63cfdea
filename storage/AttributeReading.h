// Small helpers for readers that preset a value and read an attribute over it.
#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>

#include "storage/MarkupFile.h"

namespace ks::attrs {

inline int32_t getInt(const CMarkupElement& e, QStringView name, int32_t fallback) {
    int value = fallback;
    CMarkupFile::GetInt(name, e, value);
    return value;
}

inline int32_t getClamped(const CMarkupElement& e, QStringView name, int32_t fallback, int32_t lo,
                          int32_t hi) {
    return std::clamp(getInt(e, name, fallback), lo, hi);
}

inline bool getBool(const CMarkupElement& e, QStringView name, bool fallback) {
    bool value = fallback;
    CMarkupFile::GetBool(name, e, value);
    return value;
}

inline QString getString(const CMarkupElement& e, QStringView name, const QString& fallback = {}) {
    QString value = fallback;
    CMarkupFile::GetString(name, e, value);
    return value;
}

inline bool has(const CMarkupElement& e, QStringView name) {
    return CMarkupFile::findValue(name, e) != nullptr;
}

// Reads an int attribute into `out` when present and well formed.
inline void read(const CMarkupElement& e, QStringView name, int32_t& out) {
    int value = out;
    if (CMarkupFile::GetInt(name, e, value)) out = value;
}
inline void read(const CMarkupElement& e, QStringView name, bool& out) {
    CMarkupFile::GetBool(name, e, out);
}
inline void read(const CMarkupElement& e, QStringView name, QString& out) {
    CMarkupFile::GetString(name, e, out);
}

}  // namespace ks::attrs
