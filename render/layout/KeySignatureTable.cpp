#include "KeySignatureTable.h"

#include <cstdlib>

namespace ks {

namespace {

// Index key % 15: seven sharps (0) through none (7) to seven flats (14).
constexpr int32_t kMajorRoots[15] = {1, -6, -1, 4, -3, 2, -5, 0, -7, -2, 3, -4, 1, -6, -1};
constexpr int32_t kMinorRoots[15] = {-2, 3, -4, 1, -6, -1, 4, -3, 2, -5, 0, -7, -2, 3, -4};
constexpr int32_t kMajorTopStep = 11;
constexpr int32_t kMinorTopStep = 10;

bool validKey(int32_t key) {
    return key >= 0 && key < 30;
}

}  // namespace

int32_t keyAccidentalCount(int32_t key) {
    if (!validKey(key)) return 0;
    return std::abs(7 - key % 15);
}

int32_t keyRootOffset(int32_t key) {
    if (!validKey(key)) return 0;
    return key < 15 ? kMajorRoots[key] : kMinorRoots[key - 15];
}

int32_t keySignatureTopPitch(int32_t key) {
    if (!validKey(key)) return 0;
    return 60 + keyRootOffset(key) + (key < 15 ? kMajorTopStep : kMinorTopStep);
}

}  // namespace ks
