#include "resources/MusicFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

namespace ks {

namespace {

struct LoadState {
    bool tried = false;
    bool loaded = false;
};

LoadState& state() {
    static LoadState s;
    return s;
}

}  // namespace

bool loadMusicFont() {
    LoadState& s = state();
    if (s.tried) return s.loaded;
    if (QGuiApplication::instance() == nullptr) {
        // Without an application the font database cannot take fonts; try again later.
        return false;
    }
    s.tried = true;
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kMusicFontResource));
    const QStringList families =
        id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    s.loaded = families.contains(QString::fromLatin1(kMusicFontFamily));
    return s.loaded;
}

}  // namespace ks
