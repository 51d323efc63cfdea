// The music font "Keystave": compiled into the program and registered at start-up.
#pragma once

#include <QString>

namespace ks {

inline constexpr const char* kMusicFontFamily = "Keystave";
inline constexpr const char* kMusicFontResource = ":/keystaves/font/Keystave.ttf";

// Registers the compiled-in music font with the application's font database. The first
// call loads it; later calls only report the result. Returns true when the family
// "Keystave" is available. Needs a QGuiApplication; call it on the UI thread.
bool loadMusicFont();

}  // namespace ks
