#include "app/help/ContextPages.h"

#include <cstring>

#include "model/Selection.h"

namespace ks {

QString dialogHelpPage(const char* className) {
    struct Entry {
        const char* dialog;
        const char* page;
    };
    static constexpr Entry kPages[] = {
        {"ks::CDisplaySettingsDialog", "DISPLAYSETTINGS.HTM"},
        {"ks::CMidiSettingsDlg", "MIDISETTINGS.HTM"},
        {"ks::CMidiDeviceDlg", "MIDISETTINGS.HTM"},
        {"ks::CScoreSettingsDlg", "SCORESETTINGS.HTM"},
        {"ks::CLyricSettingsDlg", "LYRICSETTINGS.HTM"},
        {"ks::CFileFinderDialog", "FINDFILES.HTM"},
        {"ks::CInternetSettingsDialog", "INTERNET.HTM"},
        {"ks::CCustomColoursDialog", "DISPLAYSETTINGS.HTM"},
        {"ks::CTrackSplitDlg", "MANAGINGTRACKS.HTM"},
        {"ks::CTrackMergeDlg", "MANAGINGTRACKS.HTM"},
        {"ks::CTrackDeleteDlg", "MANAGINGTRACKS.HTM"},
        {"ks::CTrackAddNewDlg", "MANAGINGTRACKS.HTM"},
        {"ks::CTrackNameDlg", "MANAGINGTRACKS.HTM"},
        {"QPrintPreviewDialog", "PRINTPREVIEW.HTM"},
    };
    if (!className) return QString();
    for (const Entry& entry : kPages)
        if (std::strcmp(entry.dialog, className) == 0) return QLatin1String(entry.page);
    return QString();
}

QString editModeHelpPage(int from, int to) {
    if (from == to) return QString();
    switch (to) {
        case EditMode::Annotation:
            return QStringLiteral("ANNOTATIONMODE.HTM");
        case EditMode::Lyric:
            return QStringLiteral("LYRICMODE.HTM");
        case EditMode::Tuplet:
            return QStringLiteral("TRIPLETMODE.HTM");
        case EditMode::Grace:
            return QStringLiteral("EDITINGNOTES.HTM");
        case EditMode::Notes:
            // Back to note editing from one of the special modes.
            if (from == EditMode::Annotation || from == EditMode::Lyric ||
                from == EditMode::Tuplet || from == EditMode::Grace)
                return QStringLiteral("EDITINGNOTES.HTM");
            return QString();
        default:
            return QString();
    }
}

}  // namespace ks
