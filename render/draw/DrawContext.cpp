#include "DrawContext.h"

#include <algorithm>

#include "render/layout/LayoutUnit.h"
#include "render/draw/MusicFontFit.h"
#include "resources/MusicFont.h"

namespace ks {

CDrawContext::CDrawContext(CSurface& s, const CScore& sc, const CViewState& v,
                           const PageGeometry& p)
    : surface(s), score(sc), view(v), page(p) {
    u = layoutUnit(score);
    step = unitStep(u);
    const QString musicFamily = QString::fromLatin1(kMusicFontFamily);
    const QString times = QStringLiteral("Times New Roman");
    music = fitMusicFont(
        surface, FontSpec{.family = musicFamily, .height = -std::max(score.prefs.fontsize, 1)});
    H = surface.cellHeight(music);
    W = surface.measure(music, glyphText('6')).width;
    w = std::max(1, round(H / 6));
    const bool conv = conventionalView();
    largeMusic = FontSpec{.family = musicFamily, .height = round(-(conv ? 15 : 16) * u)};
    smallMusic = FontSpec{.family = musicFamily, .height = round(-8 * u)};
    letter = FontSpec{.family = times,
                      .height = round(-(conv ? 5.4 : 7.0) * u),
                      .weight = 800,
                      .width = round(2.5 * u)};
    smallText = FontSpec{.family = times, .height = -150};
    barNumber = FontSpec{.family = times, .height = -2 * std::max(score.prefs.fontsize, 1)};
    tupletNumber =
        FontSpec{.family = times, .height = round(-5 * u), .weight = 700, .italic = true};
    switches = deriveSwitches(score.prefs, view.pageOrLayout());
    paper = colourFromRef(score.prefs.paper);
    pageSurround = printing() ? paper : colourFromRef(score.prefs.margin);
    grid = colourFromRef(score.prefs.grid);
}

bool CViewState::isSelected(int32_t track, int32_t event) const {
    for (const auto& [t, e] : selectedEvents)
        if (t == track && e == event) return true;
    return false;
}

bool CViewState::noteSelected(int32_t time, int32_t pitch) const {
    return std::binary_search(selectedNotes.begin(), selectedNotes.end(),
                              SelectedNote{time, pitch});
}

const CScoreLine& CDrawContext::lineRecord(int index) const {
    if (view.lines.empty()) return score.line(index);
    if (index < 0 || index >= static_cast<int>(view.lines.size())) return score.line(-1);
    return view.lines[static_cast<size_t>(index)];
}

int CDrawContext::lineCount() const {
    return static_cast<int>(view.lines.empty() ? score.lines.size() : view.lines.size());
}

bool CDrawContext::conventional() const {
    return isConventionalStaveType(score.prefs.stavetype);
}

bool CDrawContext::conventionalView() const {
    return conventional() && view.pageOrLayout();
}

}  // namespace ks
