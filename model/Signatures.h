// Time signatures, key signatures and voltas.
#pragma once

#include <QString>
#include <cstdint>

namespace ks {

struct CTimeSignature {
    int32_t nom = 4;
    int32_t denom = 4;
    int32_t bar = 0;        // first bar it governs
    int32_t time = 0;       // tick at which that bar starts
    int32_t barlength = 0;  // ticks

    bool operator==(const CTimeSignature&) const = default;
};

// Key numbers: 0..14 major, 15..29 minor; key % 15 == 7 - fifths (7 = C major, 22 = A minor).
struct CKeySignature {
    int32_t key = 7;
    int32_t bar = 0;

    bool operator==(const CKeySignature&) const = default;
};

constexpr int32_t kKeyCount = 30;
constexpr int32_t kKeyCMajor = 7;

namespace VoltaType {
constexpr int32_t Closed = 0;  // "Closed (First)"
constexpr int32_t Open = 1;    // "Open (Second)"
}  // namespace VoltaType

struct CScoreVolta {
    int32_t type = VoltaType::Closed;
    int32_t startbar = 0;  // inclusive
    int32_t endbar = 0;    // inclusive
    QString caption;       // such as "1." or "1, 2"
    int32_t flags = 0;     // bit n set: played on pass n + 1

    bool operator==(const CScoreVolta&) const = default;
};

}  // namespace ks
