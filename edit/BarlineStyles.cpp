#include "BarlineStyles.h"

#include "edit/EditTextIds.h"

namespace ks {

namespace {

int32_t cursorBar(const CScore& score) {
    return score.barAtTick(score.selection.timestart);
}

}  // namespace

EditOutcome setBarlineStyle(EditContext& ctx, bool left, int32_t style) {
    CScore& score = ctx.score;
    const int32_t bar = cursorBar(score);
    if (bar < 0 || bar >= static_cast<int32_t>(score.bars.size())) return EditOutcome::Nothing;
    if (style < 0 || style >= kBarlineStyleCount || (left && bar == 0)) return EditOutcome::Nothing;
    CScoreBar& b = score.bars[static_cast<size_t>(bar)];
    if ((left ? b.styleLeft : b.styleRight) == style) return EditOutcome::Nothing;
    ctx.history.Push(StringId::BarLineStyle, UndoKind::Bar, bar);
    CScoreBar& edited = score.bars[static_cast<size_t>(bar)];
    (left ? edited.styleLeft : edited.styleRight) = style;
    score.rebuildPlaybackMap();
    return EditOutcome::Score;
}

EditOutcome stepBarlineStyle(EditContext& ctx, bool left) {
    const CScore& score = ctx.score;
    const int32_t bar = cursorBar(score);
    if (bar < 0 || bar >= static_cast<int32_t>(score.bars.size())) return EditOutcome::Nothing;
    const CScoreBar& b = score.bar(bar);
    const int32_t style = ((left ? b.styleLeft : b.styleRight) + 1) % kBarlineStyleCount;
    return setBarlineStyle(ctx, left, style);
}

}  // namespace ks
