#include "app/ViewModeRules.h"

#include "app/AppTextIds.h"
#include "model/Selection.h"
#include "model/TextTable.h"

namespace ks {

QString modePaneText(int viewMode, int editMode) {
    switch (viewMode) {
        case ViewMode::Page:
            return text(StringId::PageModeName);
        case ViewMode::Layout:
            return text(StringId::LayoutModeName);
        case ViewMode::TrackSelect:
            return text(StringId::TrackSelectName);
        case ViewMode::Music:
            break;
        default:
            return QString();
    }
    switch (editMode) {
        case EditMode::Annotation:
            return text(StringId::AnnotationModeName);
        case EditMode::Lyric:
            return text(StringId::LyricModeName);
        case EditMode::Tuplet:
            return text(StringId::TupletModeName);
        case EditMode::Grace:
            return text(StringId::GraceModeName);
        default:
            return text(StringId::MusicModeName);
    }
}

QString helpPageFor(int viewMode) {
    switch (viewMode) {
        case ViewMode::Page:
            return QStringLiteral("PAGEMODE.HTM");
        case ViewMode::Layout:
            return QStringLiteral("LAYOUTMODE.HTM");
        case ViewMode::Music:
            return QStringLiteral("MUSICMODE.HTM");
        case ViewMode::TrackSelect:
            return QStringLiteral("TRACKSELECTMODE.HTM");
        default:
            return QString();
    }
}

}  // namespace ks
