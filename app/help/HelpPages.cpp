#include "app/help/HelpPages.h"

#include <QFile>

namespace ks {

const QStringList& helpPageNames() {
    static const QStringList names = {
        "ANNOTATIONMODE.HTM", "CREDITS.HTM",        "DISPLAYSETTINGS.HTM",
        "DYNAMICHELP.HTM",    "EDITINGNOTES.HTM",   "EXPORTASIMAGE.HTM",
        "EXPORTASMIDI.HTM",   "EXPORTASPDF.HTM",    "FEATURES.HTM",
        "FILESANDBACKUPS.HTM", "FINDFILES.HTM",     "FURTHER.HTM",
        "GETTINGAROUND.HTM",  "HELPSEARCH.HTM",     "INTERNET.HTM",
        "ITALIANTERMS.HTM",   "KEYSIGNATURES.HTM",  "LAYOUTMODE.HTM",
        "LYRICMODE.HTM",      "LYRICSETTINGS.HTM",  "MANAGINGTRACKS.HTM",
        "MARKERS.HTM",        "MIDISETTINGS.HTM",   "MUSICMODE.HTM",
        "NOTATION1.HTM",      "NOTATION2.HTM",      "NOTATION3.HTM",
        "NOTATION4.HTM",      "NOTATION5.HTM",      "NOTESPELLING.HTM",
        "PAGEMODE.HTM",       "PRINTPREVIEW.HTM",   "SCORESETTINGS.HTM",
        "SETTINGS.HTM",       "TEMPLATE.HTM",       "TRACKSELECTMODE.HTM",
        "TRIPLETMODE.HTM",    "TROUBLESHOOTINGMIDI.HTM", "TUTORIAL1.HTM",
        "TUTORIAL2.HTM",      "TUTORIAL3.HTM",      "USINGNONENGLISHTEXT.HTM",
        "VOLTAMARKS.HTM",     "WHATIS.HTM",
    };
    return names;
}

QString helpResourceFolder() {
    return QStringLiteral(":/keystaves/help/");
}

QString helpPageUrl(const QString& name) {
    return QStringLiteral("qrc:/keystaves/help/") + name;
}

std::optional<QByteArray> loadHelpPage(const QString& name) {
    // Only a bare page name: a name with a folder part would reach other resources.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\')) return std::nullopt;
    QFile file(helpResourceFolder() + name);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

}  // namespace ks
